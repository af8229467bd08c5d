#include "app/SdkSettingsValues.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace SdkSettingsValues {

long long ParseNumber(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const long long value = t.toLongLong(&ok);
    if (ok)
        return value;
    static const QRegularExpression digits(QStringLiteral("^[-+]?\\d+$"));
    if (digits.match(t).hasMatch())
        return t.startsWith(QLatin1Char('-')) ? std::numeric_limits<long long>::min()
                                              : std::numeric_limits<long long>::max();
    return 0;
}

unsigned ClampU(long long value, unsigned low, unsigned high)
{
    return unsigned(std::clamp<long long>(value, low, high));
}

int ClampS(long long value, int low, int high)
{
    return int(std::clamp<long long>(value, low, high));
}

uint16_t SolveDelay(const TString &stored)
{
    bool ok = false;
    const unsigned value = stored.AsUint(&ok);
    // A large value is capped before it could wrap.
    return static_cast<uint16_t>(ok ? std::min(value, 1000u) : 200u);
}

int Language(const TString &stored)
{
    if (stored.Stricmp("German") == 0 || stored.Stricmp("Deutsch") == 0)
        return 0;
    if (stored.Stricmp("English") == 0 || stored.Stricmp("Englisch") == 0)
        return 1;
    return -1;
}

bool Flag(const TString &stored, bool fallback, bool &missing)
{
    if (stored.IsEmpty()) {
        missing = true;
        return fallback;
    }
    return stored.AsInt() != 0;
}

namespace {
const char *const ColoursNames[] = {"Standard", "ColourBlind", "Dark"};
} // namespace

int BoardColours(const TString &stored)
{
    for (int i = 0; i < 3; ++i)
        if (stored.Stricmp(ColoursNames[i]) == 0)
            return i;
    return 0;
}

const char *BoardColoursName(int colours)
{
    return ColoursNames[colours >= 0 && colours < 3 ? colours : 0];
}

} // namespace SdkSettingsValues
