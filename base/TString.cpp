#include "base/TString.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

TString &TString::Insert(size_t pos, const TString &s)
{
    m_str.insert(pos < m_str.size() ? pos : m_str.size(), s.m_str);
    return *this;
}

TString TString::Mid(size_t pos, size_t length) const
{
    if (pos >= m_str.size())
        return TString();
    return TString(m_str.substr(pos, length));
}

TString &TString::Cut(size_t pos, size_t length)
{
    if (pos < m_str.size())
        m_str.erase(pos, length);
    return *this;
}

size_t TString::Find(const TString &what, size_t from) const
{
    return m_str.find(what.m_str, from);
}

size_t TString::Find(char c, size_t from) const
{
    return m_str.find(c, from);
}

size_t TString::FindLast(char c) const
{
    return m_str.rfind(c);
}

int TString::ReplaceAll(const TString &what, const TString &with)
{
    if (what.IsEmpty())
        return 0;
    int count = 0;
    size_t pos = 0;
    while ((pos = m_str.find(what.m_str, pos)) != std::string::npos) {
        m_str.replace(pos, what.Length(), with.m_str);
        pos += with.Length();
        ++count;
    }
    return count;
}

TString &TString::EraseTrailing(const char *chars)
{
    size_t end = m_str.find_last_not_of(chars);
    m_str.erase(end == std::string::npos ? 0 : end + 1);
    return *this;
}

TString &TString::EraseLeading(const char *chars)
{
    size_t start = m_str.find_first_not_of(chars);
    m_str.erase(0, start == std::string::npos ? m_str.size() : start);
    return *this;
}

static int CompareNoCase(const std::string &a, const std::string &b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(i < a.size() ? a[i] : 0));
        int cb = std::tolower(static_cast<unsigned char>(i < b.size() ? b[i] : 0));
        if (ca != cb)
            return ca - cb;
        if (ca == 0)
            break;
    }
    return 0;
}

bool TString::StartsWith(const TString &prefix, bool ignoreCase) const
{
    if (prefix.Length() > Length())
        return false;
    if (ignoreCase)
        return CompareNoCase(m_str, prefix.m_str, prefix.Length()) == 0;
    return m_str.compare(0, prefix.Length(), prefix.m_str) == 0;
}

bool TString::EndsWith(const TString &suffix, bool ignoreCase) const
{
    if (suffix.Length() > Length())
        return false;
    TString tail = Mid(Length() - suffix.Length());
    return ignoreCase ? tail.Stricmp(suffix) == 0 : tail == suffix;
}

int TString::Strcmp(const TString &other) const
{
    int r = m_str.compare(other.m_str);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int TString::Stricmp(const TString &other) const
{
    int r = CompareNoCase(m_str, other.m_str, std::max(m_str.size(), other.m_str.size()) + 1);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int TString::AsInt(bool *ok) const
{
    const char *begin = m_str.c_str();
    char *end = nullptr;
    errno = 0;
    long v = std::strtol(begin, &end, 10);
    bool good = end != begin && errno == 0 && v >= INT_MIN && v <= INT_MAX;
    if (good)
        while (*end && std::isspace(static_cast<unsigned char>(*end)))
            ++end;
    if (ok)
        *ok = good && *end == '\0';
    if (!good)
        return errno == ERANGE || v > INT_MAX || v < INT_MIN ? (v < 0 ? INT_MIN : INT_MAX) : 0;
    return static_cast<int>(v);
}

unsigned TString::AsUint(bool *ok) const
{
    const char *begin = m_str.c_str();
    while (*begin && std::isspace(static_cast<unsigned char>(*begin)))
        ++begin;
    char *end = nullptr;
    errno = 0;
    unsigned long long v = *begin == '-' ? 0 : std::strtoull(begin, &end, 10);
    bool good = *begin != '-' && end != begin && errno == 0 && v <= UINT_MAX;
    if (good)
        while (*end && std::isspace(static_cast<unsigned char>(*end)))
            ++end;
    if (ok)
        *ok = good && *end == '\0';
    if (!good)
        return (errno == ERANGE || v > UINT_MAX) ? UINT_MAX : 0;
    return static_cast<unsigned>(v);
}

int TString::GetTokenCount(char separator) const
{
    int count = 1;
    for (char c : m_str)
        if (c == separator)
            ++count;
    return count;
}

TString TString::GetToken(int index, char separator) const
{
    if (index < 0)
        return TString();
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = m_str.find(separator, start);
        if (start == std::string::npos)
            return TString();
        ++start;
    }
    size_t end = m_str.find(separator, start);
    return TString(m_str.substr(start, end == std::string::npos ? std::string::npos : end - start));
}

TString TString::Format(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    TString s = FormatV(fmt, args);
    va_end(args);
    return s;
}

TString TString::FormatV(const char *fmt, va_list args)
{
    char small[256];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, fmt, copy);
    va_end(copy);
    if (n < 0)
        return TString();
    if (static_cast<size_t>(n) < sizeof small)
        return TString(small, static_cast<size_t>(n));
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), fmt, args);
    return TString(big.data(), static_cast<size_t>(n));
}

TString &TString::AlignPath()
{
#ifdef _WIN32
    for (char &c : m_str)
        if (c == '/')
            c = '\\';
#else
    for (char &c : m_str)
        if (c == '\\')
            c = '/';
#endif
    return *this;
}

TString &TString::Normalize()
{
    std::string out;
    out.reserve(m_str.size());
    for (char c : m_str) {
        if (c == '\\')
            c = '/';
        // Keep a leading "//" (network paths); fold doubled separators elsewhere.
        if (c == '/' && out.size() > 1 && out.back() == '/')
            continue;
        out += c;
    }
    while (out.size() > 1 && out.back() == '/' && !(out.size() == 3 && out[1] == ':'))
        out.pop_back();
    m_str = std::move(out);
    return *this;
}
