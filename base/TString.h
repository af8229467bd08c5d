#pragma once
// 8-bit text of the base library: a thin value type over std::string with the
// operations the engine and the program ask for by name.
#include <cstdarg>
#include <string>
#include <string_view>

class TString
{
public:
    TString() = default;
    TString(const char *s) : m_str(s ? s : "") {}
    TString(const std::string &s) : m_str(s) {}
    TString(std::string &&s) : m_str(std::move(s)) {}
    TString(std::string_view s) : m_str(s) {}
    TString(const char *s, size_t len) : m_str(s, len) {}

    const char *c_str() const { return m_str.c_str(); }
    const std::string &Str() const { return m_str; }
    std::string &Str() { return m_str; }
    operator const std::string &() const { return m_str; }

    size_t Length() const { return m_str.size(); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char operator[](size_t i) const { return i < m_str.size() ? m_str[i] : '\0'; }

    TString &Set(const char *s)
    {
        m_str = s ? s : "";
        return *this;
    }
    TString &Append(const TString &s)
    {
        m_str += s.m_str;
        return *this;
    }
    TString &Append(char c)
    {
        m_str += c;
        return *this;
    }
    TString &operator+=(const TString &s) { return Append(s); }
    TString &operator+=(const char *s)
    {
        m_str += s ? s : "";
        return *this;
    }
    TString &operator+=(char c) { return Append(c); }
    // Inserts s before position pos (appends when pos is past the end).
    TString &Insert(size_t pos, const TString &s);
    // Copy of length characters from pos (to the end when length is npos); empty past the end.
    TString Mid(size_t pos, size_t length = npos) const;
    TString Left(size_t length) const { return Mid(0, length); }
    // Removes length characters from pos.
    TString &Cut(size_t pos, size_t length = npos);

    // Position of the first occurrence at or after from, or npos.
    size_t Find(const TString &what, size_t from = 0) const;
    size_t Find(char c, size_t from = 0) const;
    size_t FindLast(char c) const;
    // Replaces every occurrence of what by with; the number replaced.
    int ReplaceAll(const TString &what, const TString &with);
    // Removes trailing characters that occur in chars (blanks and line ends by default).
    TString &EraseTrailing(const char *chars = " \t\r\n");
    TString &EraseLeading(const char *chars = " \t\r\n");
    TString &Trim(const char *chars = " \t\r\n")
    {
        return EraseTrailing(chars).EraseLeading(chars);
    }
    bool StartsWith(const TString &prefix, bool ignoreCase = false) const;
    bool EndsWith(const TString &suffix, bool ignoreCase = false) const;

    // Comparisons in the C manner: < 0, 0, > 0.
    int Strcmp(const TString &other) const;
    int Stricmp(const TString &other) const;

    // Leading blanks and a sign are accepted; ok receives whether the whole text was a number.
    int AsInt(bool *ok = nullptr) const;
    unsigned AsUint(bool *ok = nullptr) const;

    // Tokens split by one separator character; empty tokens count.
    int GetTokenCount(char separator) const;
    TString GetToken(int index, char separator) const;

    static TString Format(const char *fmt, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 1, 2)))
#endif
        ;
    static TString FormatV(const char *fmt, va_list args);

    // Separators of the platform ('\\' on Windows, '/' elsewhere).
    TString &AlignPath();
    // The program's own form of a path: '/' separators, no doubled separators, no trailing one.
    TString &Normalize();

    friend bool operator==(const TString &a, const TString &b)
    {
        return a.m_str == b.m_str;
    }
    friend bool operator==(const TString &a, const char *b)
    {
        return a.m_str == (b ? b : "");
    }
    friend auto operator<=>(const TString &a, const TString &b)
    {
        return a.m_str <=> b.m_str;
    }
    friend TString operator+(TString a, const TString &b)
    {
        return a.Append(b);
    }
    friend TString operator+(TString a, const char *b)
    {
        return a += b;
    }
    friend TString operator+(TString a, char c)
    {
        return a.Append(c);
    }

    static constexpr size_t npos = std::string::npos;

private:
    std::string m_str;
};
