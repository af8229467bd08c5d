#include "engine/SdkTypes.h"

#include <bit>

SdkDigit SdkResultSet::GetValue(int index) const
{
    if (index < 0)
        return SdkDigitEmpty;
    uint16_t rest = m_mask;
    for (; rest != 0; rest &= static_cast<uint16_t>(rest - 1), --index)
        if (index == 0)
            return static_cast<SdkDigit>(std::countr_zero(rest));
    return SdkDigitEmpty;
}

bool SdkResultSet::HasValue(SdkDigit d, int *index) const
{
    const bool present = IsDigit(d) && (m_mask & Bit(d)) != 0;
    if (index)
        *index = present ? SdkResultSet::CountBits(m_mask & (Bit(d) - 1u)) : -1;
    return present;
}

bool SdkResultSet::AddValue(SdkDigit d)
{
    if (!IsDigit(d) || (m_mask & Bit(d)) != 0)
        return false;
    m_mask |= Bit(d);
    return true;
}

bool SdkResultSet::RemoveValue(SdkDigit d)
{
    if (!IsDigit(d) || (m_mask & Bit(d)) == 0)
        return false;
    m_mask &= static_cast<uint16_t>(~Bit(d));
    return true;
}

TString SdkResultSet::ToString() const
{
    TString text("{ ");
    for (int i = 0, n = Count(); i < n; ++i) {
        if (i > 0)
            text += ", ";
        text += TString::Format("%1d", static_cast<int>(GetValue(i)));
    }
    text += " }";
    return text;
}

void SdkField::Empty()
{
    *this = SdkField();
}

bool SdkField::SetValue(SdkDigit d)
{
    if (m_fix)
        return false;
    m_value = d;
    m_resultSet.Empty();
    return true;
}

void SdkField::Fix(SdkDigit d)
{
    m_value = d;
    m_fix = d != SdkDigitEmpty;
}

void SdkField::Unfix(bool emptyValue)
{
    m_fix = false;
    if (emptyValue)
        m_value = SdkDigitEmpty;
}
