// Game files: the game text and its parts (field tokens, candidate sets, the
// user stack), reading and writing game files, the current game, the user's
// game folder and the plain-text dumps.
#include "base/TMutex.h"
#include "base/TOpSystem.h"
#include "engine/SdkParam.h"
#include "engine/Sudoku.h"

#include <memory>
#include <string_view>

namespace {
constexpr const char *CurrentGameName = "$curr.sdk";
constexpr const char *GamesFolderName = "NinefoldSudokuGames";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char DigitChar(unsigned d)
{
    return static_cast<char>('0' + d);
}

// Calls f for every piece of text between separators (empty pieces included).
template<class F>
void ForEachToken(std::string_view text, char separator, F f)
{
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        f(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return;
        start = end + 1;
    }
}

// "/" separators, so the name test works on paths from any source.
TString ForwardSlashes(TString path)
{
    path.ReplaceAll("\\", "/");
    return path;
}

bool IsCurrentGameFile(const TString &path)
{
    const size_t slash = path.FindLast('/');
    const TString last = slash == TString::npos ? path : path.Mid(slash + 1);
    return last.Stricmp(CurrentGameName) == 0;
}

// The game text after the grid, cut into its keyword sections.
class SectionReader
{
public:
    explicit SectionReader(std::string_view rest) : m_rest(rest) {}

    // True when the rest starts with keyword; value receives the text up to the
    // next "*" (or all of the rest). A missing section leaves the rest alone.
    bool Take(std::string_view keyword, std::string_view &value)
    {
        if (m_rest.substr(0, keyword.size()) != keyword)
            return false;
        m_rest.remove_prefix(keyword.size());
        const size_t star = m_rest.find('*');
        value = m_rest.substr(0, star);
        m_rest = star == std::string_view::npos ? std::string_view() : m_rest.substr(star + 1);
        return true;
    }

private:
    std::string_view m_rest;
};
} // namespace

// --- Candidate sets as text --------------------------------------------------------------

TString SdkResultSet::WriteStream(bool withPosition, unsigned row, unsigned col) const
{
    if (IsEmpty())
        return TString();
    TString text;
    if (withPosition && row < 9 && col < 9)
        text = TString::Format("%u/%u:", row, col);
    return text + ToRsString();
}

bool SdkResultSet::ReadStream(const TString &text, bool &hasPosition, unsigned &row, unsigned &col)
{
    hasPosition = false;
    row = col = 0;
    auto fail = [&]() {
        hasPosition = false;
        row = col = 0;
        return false;
    };
    if (text.IsEmpty())
        return false;
    std::string_view digits = text.Str();
    const size_t colon = text.Find(':', 1);
    if (colon != TString::npos) {
        const TString prefix = text.Left(colon);
        const size_t slash = prefix.Find('/', 1);
        if (slash == TString::npos)
            return fail();
        bool rowOk = false, colOk = false;
        const unsigned r = prefix.Left(slash).AsUint(&rowOk);
        const unsigned c = prefix.Mid(slash + 1).AsUint(&colOk);
        if (!rowOk || !colOk || r >= 9 || c >= 9)
            return fail();
        hasPosition = true;
        row = r;
        col = c;
        digits.remove_prefix(colon + 1);
    }
    bool ok = true;
    ForEachToken(digits, ',', [&](std::string_view token) {
        if (!ok || token.empty())
            return;
        bool numberOk = false;
        const unsigned d = TString(token).AsUint(&numberOk);
        if (!numberOk || d > 9)
            ok = false;
        else if (d != 0)
            AddValue(static_cast<SdkDigit>(d));
    });
    return ok ? true : fail();
}

TString SdkResultSet::ToRsString() const
{
    TString text;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0)
            text += ',';
        text += DigitChar(GetValue(i));
    }
    return text;
}

void SdkResultSet::FromRsString(const TString &text)
{
    Empty();
    for (char c : text.Str())
        if (c >= '1' && c <= '9')
            AddValue(static_cast<SdkDigit>(c - '0'));
}

TString SdkField::WriteStream(bool definitionOnly, bool formatted) const
{
    TString token;
    if (m_fix)
        token += '*';
    else if (formatted)
        token += ' ';
    if (m_value == SdkDigitEmpty || (definitionOnly && !m_fix))
        token += '-';
    else
        token += DigitChar(m_value);
    return token;
}

// --- The user stack as text --------------------------------------------------------------

TString SdkUserStack::WriteStream() const
{
    TLocker<SdkUserStack> hold(*this);
    std::string text;
    text.reserve(static_cast<size_t>(m_entries.Count()) * 4 + 12);
    for (const SdkSolvedField &e : m_entries) {
        text += DigitChar(e.GetValue() % 10);
        text += DigitChar(e.GetPrevValue() % 10);
        text += DigitChar(e.GetRow() % 10);
        text += DigitChar(e.GetColumn() % 10);
    }
    text += '|';
    text += std::to_string(m_cursor);
    return TString(std::move(text));
}

// Entries whose field lies off the grid make the text malformed: they could
// never be undone or redone, and would block the history at that point.
bool SdkUserStack::ReadStream(const TString &text)
{
    TLocker<SdkUserStack> hold(*this);
    m_entries.DeleteAll();
    m_cursor = 0;
    unsigned pending[4] = {};
    int count = 0;
    const std::string &s = text.Str();
    size_t i = 0;
    for (;; ++i) {
        if (i >= s.size())
            return false;
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            pending[count++] = static_cast<unsigned>(c - '0');
            if (count == 4) {
                count = 0;
                if (pending[2] >= 9 || pending[3] >= 9)
                    return false;
                m_entries.Add(SdkSolvedField(static_cast<SdkDigit>(pending[0]),
                                             static_cast<SdkDigit>(pending[1]), pending[2],
                                             pending[3]));
                m_cursor = static_cast<uint32_t>(m_entries.Count());
            }
        } else if (c == '|' && count == 0) {
            break;
        } else {
            return false;
        }
    }
    const TString tail = text.Mid(i + 1);
    if (!tail.IsEmpty() && tail[0] >= '0' && tail[0] <= '9') {
        size_t end = 0;
        while (end < tail.Length() && tail[end] >= '0' && tail[end] <= '9')
            ++end;
        bool ok = false;
        const unsigned p = tail.Left(end).AsUint(&ok);
        if (ok && p <= m_cursor)
            m_cursor = p;
    }
    return true;
}

// --- Game text ---------------------------------------------------------------------------

TString Sudoku::WriteStream(bool definitionOnly, bool formatted) const
{
    TLocker<Sudoku> lock(*this);
    TString text;
    text.Str().reserve(formatted ? 300 : 200);
    for (unsigned row = 0; row < 9; ++row) {
        for (unsigned col = 0; col < 9; ++col) {
            text += FieldAt(row, col).WriteStream(definitionOnly, formatted);
            if (!formatted)
                continue;
            if (col == 8)
                text += '\n';
            else
                text += col == 2 || col == 5 ? "   " : " ";
        }
    }
    text += "FILE:";
    // "*" ends the section: a name holding one would cut off every section after
    // it, so such a name is left out (a load names the game by its path anyway).
    if (m_fileName.Find('*') == TString::npos)
        text += m_fileName;
    text += "*US:";
    text += m_userStack.WriteStream();
    text += "*BT:";
    text += TString::Format("%d", m_btStepsOnCreation);
    text += "*USERRSINC:";
    for (unsigned i = 0; i < 81; ++i)
        if (!m_fields[i].IsFix() && !m_fields[i].GetCustomInc().IsEmpty())
            text += m_fields[i].GetCustomInc().WriteStream(true, i / 9, i % 9) + ";";
    text += "*USERRSEXC:";
    for (unsigned i = 0; i < 81; ++i)
        if (!m_fields[i].IsFix() && !m_fields[i].GetCustomExc().IsEmpty())
            text += m_fields[i].GetCustomExc().WriteStream(true, i / 9, i % 9) + ";";
    text += "*";
    // Only a played game carries its time, so an untimed game keeps the older text.
    if (m_playSeconds > 0)
        text += TString::Format("TIME:%u*", m_playSeconds);
    if (m_origin.kind > 0)
        text += TString::Format("ORIGIN:%c%d*", m_origin.kind == 1 ? 'P' : 'C', m_origin.level);
    return text;
}

unsigned Sudoku::GetPlayTime() const
{
    TLocker<Sudoku> lock(*this);
    return m_playSeconds;
}

void Sudoku::SetPlayTime(unsigned seconds)
{
    TLocker<Sudoku> lock(*this);
    m_playSeconds = seconds;
}

Sudoku::Origin Sudoku::GetRiddleOrigin() const
{
    TLocker<Sudoku> lock(*this);
    return m_origin;
}

void Sudoku::SetRiddleOrigin(Origin origin)
{
    TLocker<Sudoku> lock(*this);
    m_origin = origin.kind == 1 || origin.kind == 2 ? origin : Origin();
}

bool Sudoku::ReadStream(TString text, bool definitionOnly)
{
    return ReadGameText(text, definitionOnly, false);
}

// White space between the field tokens is skipped, so the formatted layout and
// boards pasted from elsewhere read as well as the compact one.
bool Sudoku::ReadGameText(const TString &text, bool definitionOnly, bool readHistory)
{
    TLocker<Sudoku> lock(*this);
    _Reset();
    bool ok = !text.IsEmpty();
    const std::string &s = text.Str();
    size_t i = 0;
    unsigned row = 0, col = 0;
    while (ok && row < 9) {
        while (i < s.size() && IsBlank(s[i]))
            ++i;
        if (i >= s.size())
            break;
        const char c = s[i];
        bool tokenOk = false;
        if (c == '*') {
            const char d = i + 1 < s.size() ? s[i + 1] : '\0';
            tokenOk = d >= '1' && d <= '9' && _Fix(static_cast<SdkDigit>(d - '0'), row, col, false);
            i += 2;
        } else if (c == '-') {
            tokenOk = SetValue(SdkDigitEmpty, row, col);
            ++i;
        } else if (c >= '1' && c <= '9') {
            const SdkDigit d = definitionOnly ? SdkDigitEmpty : static_cast<SdkDigit>(c - '0');
            tokenOk = SetValue(d, row, col);
            ++i;
        } else {
            break;
        }
        if (!tokenOk) {
            ok = false;
            break;
        }
        if (++col == 9) {
            col = 0;
            ++row;
        }
    }
    ok = ok && row == 9;

    if (ok) {
        while (i < s.size() && IsBlank(s[i]))
            ++i;
        SectionReader sections(std::string_view(s).substr(i));
        std::string_view value;
        if (sections.Take("FILE:", value) && !value.empty()) {
            TString name(value);
            name.Normalize();
            // Only an existing regular file becomes the file name: never a folder, a device
            // or a pipe, which a later save would write to.
            if (CurrentOS->FileSize(name) >= 0)
                m_fileName = name;
        }
        if (sections.Take("US:", value) && readHistory && !value.empty())
            ok = m_userStack.ReadStream(TString(value));
        if (ok && sections.Take("BT:", value)) {
            bool numberOk = false;
            const int bt = TString(value).AsInt(&numberOk);
            SetBtStepsOnCreation(value.empty() || !numberOk ? -1 : bt);
        }
        for (int exclude = 0; ok && exclude < 2; ++exclude) {
            if (!sections.Take(exclude ? "USERRSEXC:" : "USERRSINC:", value) || definitionOnly)
                continue;
            ForEachToken(value, ';', [&](std::string_view token) {
                SdkResultSet set;
                bool hasPosition = false;
                unsigned r = 0, c = 0;
                // A set without its field cannot be placed: skipped like a broken one.
                if (!set.ReadStream(TString(token), hasPosition, r, c) || !hasPosition)
                    return;
                if (exclude)
                    SetUserExcludes(set, r, c);
                else
                    SetUserCandidates(set, r, c);
            });
        }
        // A broken time is ignored: the game itself is still good. The givens alone are a
        // fresh start and take no time over.
        if (ok && sections.Take("TIME:", value) && !definitionOnly) {
            bool numberOk = false;
            const unsigned seconds = TString(value).AsUint(&numberOk);
            if (numberOk)
                m_playSeconds = seconds;
        }
        // The origin belongs to the givens, so a riddle read alone keeps it too. Anything but
        // "P" or "C" and a level of one digit is no origin.
        if (ok && sections.Take("ORIGIN:", value) && value.size() == 2 &&
            (value[0] == 'P' || value[0] == 'C') && value[1] >= '0' && value[1] <= '9')
            m_origin = {value[0] == 'P' ? 1 : 2, value[1] - '0'};
    }

    (void)StartGame(!definitionOnly, readHistory, false);
    return ok;
}

// --- Game files --------------------------------------------------------------------------

bool Sudoku::WriteGameFile(const TString &path, bool definitionOnly, bool compact) const
{
    if (path.IsEmpty())
        return false;
    const TString text = WriteStream(definitionOnly, !compact);
    // Written beside the target and renamed over it: a failed save keeps the old file.
    return !text.IsEmpty() && CurrentOS->WriteFile(path, text);
}

bool Sudoku::ReadGameFile(const TString &path, bool definitionOnly, bool readHistory)
{
    TLocker<Sudoku> lock(*this);
    _Reset();
    TString content;
    if (path.IsEmpty() || !CurrentOS->ReadFile(path, content, MaxGameFileBytes))
        return false;
    // The text ends at a zero byte, as it would in a C string.
    const size_t zero = content.Find('\0');
    if (zero != TString::npos)
        content.Cut(zero);
    return ReadGameText(content, definitionOnly, readHistory);
}

bool Sudoku::SaveGame(TString path, bool definitionOnly, bool compact)
{
    TLocker<Sudoku> lock(*this);
    if (path.IsEmpty())
        path = m_fileName;
    if (path.IsEmpty())
        return false;
    const TString oldName = m_fileName;
    if (path != m_fileName) {
        path = ForwardSlashes(path);
        if (!IsCurrentGameFile(path))
            m_fileName = path;
    }
    if (!WriteGameFile(path, definitionOnly, compact)) {
        m_fileName = oldName;
        return false;
    }
    m_definitionChanged = false;
    m_stateChanged = false;
    return true;
}

bool Sudoku::LoadGame(TString path, bool definitionOnly, bool readHistory)
{
    TLocker<Sudoku> lock(*this);
    {
        SdkParam start(*this, true, 0, SdkDigitEmpty, 0, 0);
        MVC().Call(SDK_START_LOADING, start);
    }
    bool ok = ReadGameFile(path, definitionOnly, readHistory);
    if (ok) {
        path = ForwardSlashes(path);
        const bool current = IsCurrentGameFile(path);
        bool counting = current;
        if (path != m_fileName && !current)
            m_fileName = path;
        if (counting) {
            bool anyFix = false, anyPlayed = false;
            for (const SdkField &f : m_fields) {
                anyFix = anyFix || f.IsFix();
                anyPlayed = anyPlayed || (!f.IsFix() && f.GetValue() != SdkDigitEmpty);
            }
            m_definitionChanged = anyFix;
            m_stateChanged = anyPlayed;
        } else {
            m_definitionChanged = false;
            m_stateChanged = definitionOnly || !readHistory;
        }
    }
    SdkParam end(*this, true, 0, SdkDigitEmpty, 0, 0);
    MVC().Call(SDK_END_LOADING, end);
    return ok;
}

bool Sudoku::SaveCurrentGame() const
{
    const TString folder = GetUserGamesPath();
    if (folder.IsEmpty())
        return false;
    TLocker<Sudoku> lock(*this);
    return WriteGameFile(folder + "/" + CurrentGameName, false, true);
}

bool Sudoku::LoadCurrentGame()
{
    const TString folder = GetUserGamesPath();
    if (folder.IsEmpty())
        return false;
    TLocker<Sudoku> lock(*this);
    const TString path = folder + "/" + CurrentGameName;
    if (!CurrentOS->ExistsPath(path))
        return false;
    if (!LoadGame(path, false, true))
        return false;
    if (!m_fileName.IsEmpty()) {
        auto named = std::make_unique<Sudoku>();
        if (!named->LoadGame(m_fileName, false, true)) {
            m_definitionChanged = true;
            m_stateChanged = true;
        } else {
            m_definitionChanged = !EqualsFix(*named);
            m_stateChanged = !EqualsValues(*named);
        }
    }
    return true;
}

TString Sudoku::GetFileName() const
{
    TLocker<Sudoku> lock(*this);
    return m_fileName;
}

TString Sudoku::GetUserGamesPath()
{
    TString base = ForwardSlashes(CurrentOS->GetUserFolder(TOpSystem::FolderDocuments));
    if (base.IsEmpty())
        return TString();
    // A fresh account may have no documents folder yet; it is made like the games folder.
    if (!CurrentOS->ExistsPath(base))
        CurrentOS->CreateDirectory(base);
    if (!CurrentOS->IsDirectory(base))
        return TString();
    const TString path = base + "/" + GamesFolderName;
    if (CurrentOS->ExistsPath(path))
        return CurrentOS->IsDirectory(path) ? path : TString();
    return CurrentOS->CreateDirectory(path) ? path : TString();
}

// --- Plain-text dumps --------------------------------------------------------------------

TString Sudoku::ResultSetsToString() const
{
    TLocker<Sudoku> lock(*this);
    TString text;
    for (unsigned i = 0; i < 81; ++i) {
        if (i > 0)
            text += '\n';
        const SdkField &f = m_fields[i];
        text += TString::Format("%u/%u: ", i / 9, i % 9);
        text += f.GetValue() == SdkDigitEmpty ? f.GetResultSet().ToString() : TString("{ }");
    }
    return text;
}

TString Sudoku::ResultSetsToString(SdkBlockType type) const
{
    const char *name = type == SdkBlockRow      ? "Row"
                       : type == SdkBlockColumn ? "Column"
                       : type == SdkBlockQuad   ? "Quad"
                                                : nullptr;
    if (!name)
        return TString();
    TLocker<Sudoku> lock(*this);
    TString text;
    for (unsigned b = 0; b < 9; ++b) {
        const SdkBlockRef &block = GetBlock(type, b);
        text += TString::Format("\n%s: %u:", name, b);
        for (unsigned pos = 0; pos < 9; ++pos) {
            const SdkField &f = block[pos];
            text += TString::Format("\n%u: ", pos);
            if (f.GetValue() != SdkDigitEmpty) {
                text += TString::Format("%1d | { }", static_cast<int>(f.GetValue()));
                continue;
            }
            text += "- | ";
            text += f.GetResultSet().ToString();
            if (const SdkDouble *dbl = block.GetDoubleList().FindDouble(f.GetResultSet())) {
                text += " Doubles at ";
                for (int k = 0; k < dbl->IndexCount(); ++k)
                    text += TString::Format(k ? " [%d]" : "[%d]", dbl->GetIndex(k));
            }
        }
    }
    return text;
}
