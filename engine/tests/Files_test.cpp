#include "engine/SdkParam.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
const char *const Riddle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const std::string EmptyTail = "FILE:*US:|0*BT:-1*USERRSINC:*USERRSEXC:*";

void LoadRiddle(Sudoku &game, const std::string &riddle = Riddle)
{
    for (unsigned i = 0; i < 81; ++i) {
        if (riddle[i] != '.') {
            ASSERT_TRUE(game.Fix(static_cast<SdkDigit>(riddle[i] - '0'), i / 9, i % 9));
        }
    }
    ASSERT_TRUE(game.StartGame(false, false, true));
}

std::string Values(const Sudoku &game)
{
    std::string s;
    for (unsigned i = 0; i < 81; ++i) {
        const SdkField f = game.GetField(i / 9, i % 9);
        s += f.GetValue() ? static_cast<char>('0' + f.GetValue()) : '.';
    }
    return s;
}

std::string Fixes(const Sudoku &game)
{
    std::string s;
    for (unsigned i = 0; i < 81; ++i)
        s += game.GetField(i / 9, i % 9).IsFix() ? 'F' : '.';
    return s;
}

SdkResultSet SetOf(std::initializer_list<unsigned> digits)
{
    SdkResultSet set;
    for (unsigned d : digits)
        set.AddValue(static_cast<SdkDigit>(d));
    return set;
}

// A riddle with played values, a history whose cursor is below its count, user
// candidates and excludes, and a creation depth.
void MakeRichGame(Sudoku &game)
{
    std::string text;
    for (char c : std::string(Riddle))
        text += c == '.' ? std::string("-") : std::string("*") + c;
    ASSERT_TRUE(game.ReadStream(text + "BT:3*", false));
    ASSERT_TRUE(game.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(game.SetValue(SdkDigit6, 0, 3));
    ASSERT_TRUE(game.SetValue(SdkDigit8, 0, 5));
    ASSERT_TRUE(game.Undo());
    ASSERT_TRUE(game.SetUserCandidates(SetOf({1, 9}), 8, 0));
    ASSERT_TRUE(game.SetUserCandidates(SetOf({2}), 4, 4));
    ASSERT_TRUE(game.SetUserExcludes(SetOf({3, 7}), 2, 3));
}

std::string ReadAll(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every test runs with its own home, documents and configuration folders.
class GameFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("ninefold-files-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "home");
        fs::create_directories(m_dir / "config");
        for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            const char *old = std::getenv(name);
            m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        }
        setenv("HOME", (m_dir / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_dir / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
        setenv("XDG_CACHE_HOME", (m_dir / "cache").c_str(), 1);
    }
    void TearDown() override
    {
        for (auto &[name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        fs::remove_all(m_dir);
    }
    std::string Path(const std::string &name) const { return (m_dir / name).string(); }
    std::string Write(const std::string &name, const std::string &content) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << content;
        return Path(name);
    }
    std::string GamesFolder() const
    {
        return (m_dir / "home" / "Documents" / "NinefoldSudokuGames").string();
    }

    fs::path m_dir;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};
} // namespace

// --- Text forms of the parts ---------------------------------------------------------------

TEST(GameText, CandidateSetTexts)
{
    SdkResultSet set = SetOf({1, 4, 9});
    EXPECT_EQ(set.WriteStream(true, 0, 2), "0/2:1,4,9");
    EXPECT_EQ(set.WriteStream(false, 0, 2), "1,4,9");
    EXPECT_EQ(set.WriteStream(true, 9, 2), "1,4,9");
    EXPECT_EQ(SdkResultSet().WriteStream(true, 1, 1), "");
    EXPECT_EQ(set.ToRsString(), "1,4,9");

    SdkResultSet read;
    bool hasPosition = false;
    unsigned row = 0, col = 0;
    ASSERT_TRUE(read.ReadStream("3/4:1,5", hasPosition, row, col));
    EXPECT_TRUE(hasPosition);
    EXPECT_EQ(row, 3u);
    EXPECT_EQ(col, 4u);
    EXPECT_EQ(read, SetOf({1, 5}));

    SdkResultSet bad;
    EXPECT_FALSE(bad.ReadStream("9/0:1", hasPosition, row, col));
    EXPECT_FALSE(hasPosition);
    EXPECT_FALSE(bad.ReadStream("3:1", hasPosition, row, col));
    EXPECT_FALSE(bad.ReadStream("x/1:1", hasPosition, row, col));
    EXPECT_FALSE(bad.ReadStream("", hasPosition, row, col));
    EXPECT_TRUE(bad.IsEmpty());
    EXPECT_FALSE(bad.ReadStream("1,12", hasPosition, row, col));
    EXPECT_EQ(bad, SetOf({1}));

    SdkResultSet noPosition = SetOf({5});
    ASSERT_TRUE(noPosition.ReadStream("2,0,7", hasPosition, row, col));
    EXPECT_FALSE(hasPosition);
    EXPECT_EQ(noPosition, SetOf({2, 5, 7}));

    SdkResultSet fromText = SetOf({8});
    fromText.FromRsString("a1b1c2");
    EXPECT_EQ(fromText, SetOf({1, 2}));
    fromText.FromRsString("1,4,9");
    EXPECT_EQ(fromText, set);
}

TEST(GameText, EmptyGameAndFieldTokens)
{
    Sudoku game;
    EXPECT_EQ(game.WriteStream(false, false), std::string(81, '-') + EmptyTail);

    LoadRiddle(game);
    ASSERT_TRUE(game.SetValue(SdkDigit4, 0, 2));
    const std::string compact = game.WriteStream(false, false).Str();
    EXPECT_EQ(compact.substr(0, 12), "*5*34-*7----");
    EXPECT_EQ(game.WriteStream(true, false).Str().substr(0, 12), "*5*3--*7----");

    const std::string formatted = game.WriteStream(false, true).Str();
    EXPECT_EQ(formatted.substr(0, formatted.find('\n') + 1), "*5 *3  4    - *7  -    -  -  -\n");
    // Nine lines, then the sections as in the compact layout.
    EXPECT_EQ(std::count(formatted.begin(), formatted.end(), '\n'), 9);
    EXPECT_EQ(formatted.substr(formatted.rfind('\n') + 1), compact.substr(compact.find("FILE:")));
}

TEST(GameText, UserStackText)
{
    Sudoku game;
    ASSERT_TRUE(game.SetValue(SdkDigit5, 0, 2));
    ASSERT_TRUE(game.SetValue(SdkDigit3, 4, 4));
    ASSERT_TRUE(game.Undo());
    const std::string text = game.WriteStream(false, false).Str();
    EXPECT_NE(text.find("US:50023044|1*"), std::string::npos) << text;
}

// --- Reading a game text -------------------------------------------------------------------

TEST(GameText, RoundTripOfValuesFixesMarksAndDepth)
{
    Sudoku game;
    MakeRichGame(game);
    const TString text = game.WriteStream(false, false);

    Sudoku copy;
    ASSERT_TRUE(copy.ReadStream(text, false));
    EXPECT_EQ(Values(copy), Values(game));
    EXPECT_EQ(Fixes(copy), Fixes(game));
    EXPECT_EQ(copy.GetUserCandidates(8, 0), SetOf({1, 9}));
    EXPECT_EQ(copy.GetUserCandidates(4, 4), SetOf({2}));
    EXPECT_EQ(copy.GetUserExcludes(2, 3), SetOf({3, 7}));
    EXPECT_EQ(copy.GetBtStepsOnCreation(), 3);
    // Without the history the reader started a fresh game: candidates computed.
    EXPECT_EQ(copy.GetUserStackCount(), 0u);
    EXPECT_FALSE(copy.GetField(0, 4).GetResultSet().IsEmpty() &&
                 copy.GetField(0, 4).GetValue() == SdkDigitEmpty);
    EXPECT_EQ(copy.GetField(0, 6).GetResultSet(), game.GetField(0, 6).GetResultSet());

    // The formatted layout reads back the same.
    Sudoku fromFormatted;
    ASSERT_TRUE(fromFormatted.ReadStream(game.WriteStream(false, true), false));
    EXPECT_EQ(fromFormatted.WriteStream(false, false), copy.WriteStream(false, false));
}

TEST(GameText, PastedBoardsWithBlanksAndLineBreaksRead)
{
    std::string board;
    for (unsigned row = 0; row < 9; ++row) {
        for (unsigned col = 0; col < 9; ++col) {
            const char c = Riddle[row * 9 + col];
            board += c == '.' ? std::string(" -") : std::string("*") + c;
            board += col == 8 ? "\r\n" : "  ";
        }
    }
    Sudoku game;
    ASSERT_TRUE(game.ReadStream(board, false));
    EXPECT_EQ(Values(game), Riddle);
    EXPECT_EQ(game.GetFixCount(), 30u);
    EXPECT_EQ(game.GetBtStepsOnCreation(), -1);
}

TEST(GameText, DefinitionOnlyKeepsOnlyTheGivenDigits)
{
    Sudoku game;
    MakeRichGame(game);
    Sudoku def;
    ASSERT_TRUE(def.ReadStream(game.WriteStream(false, false), true));
    EXPECT_EQ(Values(def), Riddle);
    EXPECT_TRUE(def.GetUserCandidates(8, 0).IsEmpty());
    EXPECT_TRUE(def.GetUserExcludes(2, 3).IsEmpty());
    EXPECT_EQ(def.GetBtStepsOnCreation(), 3);
}

TEST(GameText, BrokenGridsFailButLeaveAStartedGame)
{
    const std::string good = std::string(Riddle);
    std::string compact;
    for (char c : good)
        compact += c == '.' ? std::string("-") : std::string("*") + c;

    Sudoku game;
    EXPECT_FALSE(game.ReadStream("", false));
    EXPECT_EQ(game.GetUnsolvedCount(), 81u);

    // 80 tokens.
    EXPECT_FALSE(game.ReadStream(compact.substr(0, compact.size() - 2) + EmptyTail, false));
    // A given marker without its digit.
    std::string starDash = compact;
    starDash.replace(starDash.find('-'), 1, "*-");
    EXPECT_FALSE(game.ReadStream(starDash, false));
    // A played 3 beside the given 3 of row 0: read up to there, then started.
    std::string conflict = compact;
    conflict.replace(conflict.find('-'), 1, "3");
    EXPECT_FALSE(game.ReadStream(conflict + EmptyTail, false));
    EXPECT_EQ(game.GetField(0, 0).GetValue(), SdkDigit5);
    EXPECT_EQ(game.GetField(0, 2).GetValue(), SdkDigitEmpty);
    EXPECT_FALSE(game.GetField(0, 2).GetResultSet().IsEmpty());
    // Unknown text after the grid ends the sections quietly.
    EXPECT_TRUE(game.ReadStream(compact + "garbage", false));
    EXPECT_EQ(Values(game), Riddle);
}

TEST(GameText, SectionValues)
{
    const std::string grid(81, '-');
    Sudoku game;
    // An empty include section after a one-digit depth adds no marks.
    ASSERT_TRUE(game.ReadStream(grid + "FILE:*US:*BT:5*USERRSINC:*USERRSEXC:*", false));
    EXPECT_EQ(game.GetBtStepsOnCreation(), 5);
    for (unsigned i = 0; i < 81; ++i)
        EXPECT_TRUE(game.GetUserCandidates(i / 9, i % 9).IsEmpty());
    // Sections may be missing; broken mark tokens are skipped.
    ASSERT_TRUE(game.ReadStream(grid + "BT:-7*USERRSINC:0/0:1,2;nonsense;9/9:1;4:5;1/1:3;", false));
    // A depth below -1 means "unknown" and is kept and written as -1.
    EXPECT_EQ(game.GetBtStepsOnCreation(), -1);
    EXPECT_NE(game.WriteStream(false, false).Str().find("*BT:-1*"), std::string::npos);
    EXPECT_EQ(game.GetUserCandidates(0, 0), SetOf({1, 2}));
    EXPECT_EQ(game.GetUserCandidates(1, 1), SetOf({3}));
    ASSERT_TRUE(game.ReadStream(grid + "BT:*", false));
    EXPECT_EQ(game.GetBtStepsOnCreation(), -1);

    // A known depth is taken like a creation's: the given digits count as unchanged.
    std::string riddle;
    for (char c : std::string(Riddle))
        riddle += c == '.' ? std::string("-") : std::string("*") + c;
    ASSERT_TRUE(game.ReadStream(riddle + "BT:2*", false));
    EXPECT_EQ(game.GetBtStepsOnCreation(), 2);
    EXPECT_FALSE(game.IsDefinitionChanged());
    ASSERT_TRUE(game.ReadStream(riddle + "BT:-1*", false));
    EXPECT_TRUE(game.IsDefinitionChanged());
}

// --- Files ---------------------------------------------------------------------------------

TEST_F(GameFiles, SaveAndLoadKeepTheWholeHistory)
{
    Sudoku game;
    MakeRichGame(game);
    const std::string path = Path("rich.sdk");
    ASSERT_TRUE(game.SaveGame(path, false, true));
    EXPECT_FALSE(game.IsDefinitionChanged());
    EXPECT_FALSE(game.IsStateChanged());
    EXPECT_EQ(game.GetFileName(), path);
    EXPECT_EQ(ReadAll(path), game.WriteStream(false, false).Str());

    Sudoku loaded;
    ASSERT_TRUE(loaded.LoadGame(path, false, true));
    EXPECT_EQ(Values(loaded), Values(game));
    EXPECT_EQ(Fixes(loaded), Fixes(game));
    EXPECT_EQ(loaded.GetUserStackCount(), 3u);
    EXPECT_EQ(loaded.GetUserStackPtr(), 2u);
    EXPECT_TRUE(loaded == game);
    EXPECT_EQ(loaded.GetFileName(), path);
    EXPECT_FALSE(loaded.IsDefinitionChanged());
    EXPECT_FALSE(loaded.IsStateChanged());
    EXPECT_EQ(loaded.GetUserCandidates(8, 0), SetOf({1, 9}));
    // The redo entry still brings back the undone move.
    ASSERT_TRUE(loaded.Redo());
    EXPECT_EQ(loaded.GetField(0, 5).GetValue(), SdkDigit8);

    // Loading only the definition, or without the history, counts as a change.
    ASSERT_TRUE(loaded.LoadGame(path, true, false));
    EXPECT_EQ(Values(loaded), Riddle);
    EXPECT_FALSE(loaded.IsDefinitionChanged());
    EXPECT_TRUE(loaded.IsStateChanged());
}

TEST_F(GameFiles, SaveRulesForNamesAndFailures)
{
    Sudoku game;
    LoadRiddle(game);
    EXPECT_FALSE(game.SaveGame("", false, true));
    EXPECT_TRUE(game.IsDefinitionChanged());

    const std::string first = Path("first.sdk");
    ASSERT_TRUE(game.SaveGame(first, false, true));
    ASSERT_TRUE(game.SetValue(SdkDigit4, 0, 2));
    EXPECT_TRUE(game.IsStateChanged());
    // An empty path saves to the file name.
    ASSERT_TRUE(game.SaveGame("", false, true));
    EXPECT_FALSE(game.IsStateChanged());
    EXPECT_NE(ReadAll(first).find("US:4002|1*"), std::string::npos);

    // The current-game file is written but never becomes the file name.
    ASSERT_TRUE(game.SaveGame(Path("$CURR.sdk"), false, true));
    EXPECT_EQ(game.GetFileName(), first);
    EXPECT_TRUE(fs::exists(m_dir / "$CURR.sdk"));

    // A failed save keeps the name and the flags, and the old file.
    const std::string before = ReadAll(first);
    ASSERT_TRUE(game.SetValue(SdkDigit6, 0, 3));
    EXPECT_FALSE(game.SaveGame(Path("missing-folder/x.sdk"), false, true));
    fs::create_directories(m_dir / "folder.sdk");
    EXPECT_FALSE(game.SaveGame(Path("folder.sdk"), false, true));
    EXPECT_EQ(game.GetFileName(), first);
    EXPECT_TRUE(game.IsStateChanged());
    EXPECT_EQ(ReadAll(first), before);

    // A save that cannot finish leaves the file it would replace as it was: here the
    // name leaves no room for the temporary file beside it.
    const std::string longName = Write(std::string(250, 'g') + ".sdk", "old content");
    EXPECT_FALSE(game.SaveGame(longName, false, true));
    EXPECT_EQ(ReadAll(longName), "old content");
    EXPECT_EQ(game.GetFileName(), first);

    // The formatted layout on request.
    ASSERT_TRUE(game.SaveGame(Path("formatted.sdk"), false, false));
    const std::string formatted = ReadAll(Path("formatted.sdk"));
    EXPECT_EQ(std::count(formatted.begin(), formatted.end(), '\n'), 9);
}

TEST_F(GameFiles, LoadReportsAndResetsOnFailure)
{
    Sudoku game;
    LoadRiddle(game);
    int starts = 0, ends = 0;
    game.MVC().AddNotification(SDK_START_LOADING, this, [&](TMvcParam &p) {
        EXPECT_TRUE(static_cast<SdkParam &>(p).GetSuccess());
        EXPECT_EQ(ends, starts++);
        return true;
    });
    game.MVC().AddNotification(SDK_END_LOADING, this, [&](TMvcParam &p) {
        EXPECT_TRUE(static_cast<SdkParam &>(p).GetSuccess());
        ++ends;
        return true;
    });
    EXPECT_FALSE(game.LoadGame(Path("missing.sdk"), false, true));
    EXPECT_EQ(game.GetUnsolvedCount(), 81u);
    EXPECT_EQ(game.GetFileName(), "");
    EXPECT_FALSE(game.LoadGame("", false, true));
    fs::create_directories(m_dir / "dir.sdk");
    EXPECT_FALSE(game.LoadGame(Path("dir.sdk"), false, true));
    EXPECT_EQ(starts, 3);
    EXPECT_EQ(ends, 3);
    game.MVC().RemoveNotification(SDK_START_LOADING, this);
    game.MVC().RemoveNotification(SDK_END_LOADING, this);
}

TEST_F(GameFiles, CurrentGameRemembersItsNamedFile)
{
    Sudoku none;
    EXPECT_FALSE(none.LoadCurrentGame());

    Sudoku game;
    LoadRiddle(game);
    const std::string named = Path("named.sdk");
    ASSERT_TRUE(game.SaveGame(named, false, true));
    ASSERT_TRUE(game.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(game.SaveCurrentGame());
    // The current game leaves the name and the flags alone.
    EXPECT_EQ(game.GetFileName(), named);
    EXPECT_TRUE(game.IsStateChanged());
    const std::string current = GamesFolder() + "/$curr.sdk";
    ASSERT_TRUE(fs::exists(current));
    EXPECT_EQ(Sudoku::GetUserGamesPath(), GamesFolder());

    Sudoku restored;
    LoadRiddle(restored, std::string(81, '.'));
    ASSERT_TRUE(restored.LoadCurrentGame());
    EXPECT_EQ(Values(restored), Values(game));
    EXPECT_EQ(restored.GetFileName(), named);
    EXPECT_FALSE(restored.IsDefinitionChanged());
    EXPECT_TRUE(restored.IsStateChanged());

    // Saved again: no difference to the named file.
    ASSERT_TRUE(game.SaveGame("", false, true));
    ASSERT_TRUE(game.SaveCurrentGame());
    ASSERT_TRUE(restored.LoadCurrentGame());
    EXPECT_FALSE(restored.IsDefinitionChanged());
    EXPECT_FALSE(restored.IsStateChanged());

    // The named file gone: everything counts as changed.
    fs::remove(named);
    ASSERT_TRUE(restored.LoadCurrentGame());
    EXPECT_EQ(restored.GetFileName(), "");
    EXPECT_TRUE(restored.IsDefinitionChanged());
    EXPECT_TRUE(restored.IsStateChanged());
}

TEST_F(GameFiles, GamesFolderIsMadeAndMustBeAFolder)
{
    EXPECT_EQ(Sudoku::GetUserGamesPath(), GamesFolder());
    EXPECT_TRUE(fs::is_directory(GamesFolder()));
    fs::remove_all(GamesFolder());
    std::ofstream(GamesFolder()) << "not a folder";
    EXPECT_EQ(Sudoku::GetUserGamesPath(), "");
    Sudoku game;
    EXPECT_FALSE(game.SaveCurrentGame());
    EXPECT_FALSE(game.LoadCurrentGame());
}

// --- Hostile files -------------------------------------------------------------------------

TEST_F(GameFiles, TruncatedAndGarbledFilesNeverCrash)
{
    Sudoku rich;
    MakeRichGame(rich);
    const std::string text = rich.WriteStream(false, false).Str();
    Sudoku game;
    // Every prefix: a complete grid loads, a shorter one does not.
    size_t gridLength = text.find("FILE:");
    for (size_t n = 0; n <= text.size(); ++n) {
        const bool ok = game.LoadGame(Write("cut.sdk", text.substr(0, n)), false, true);
        if (n < gridLength) {
            EXPECT_FALSE(ok) << n;
        }
        EXPECT_TRUE(game.Verify()) << n;
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        std::string garbage = text;
        for (int k = 0; k < 6; ++k)
            garbage[random() % garbage.size()] = static_cast<char>(random() % 256);
        if (round % 2)
            garbage.resize(random() % 400);
        game.LoadGame(Write("garbage.sdk", garbage), false, true);
        EXPECT_TRUE(game.Verify()) << round;
    }
    // A zero byte ends the text.
    std::string zero = text;
    zero[text.find("US:")] = '\0';
    ASSERT_TRUE(game.LoadGame(Write("zero.sdk", zero), false, true));
    EXPECT_EQ(game.GetUserStackCount(), 2u); // the grid walk's own entries
}

TEST_F(GameFiles, HistoriesOffTheGridOrAgainstItAreHarmless)
{
    const std::string grid(81, '-');
    Sudoku game;
    // A field off the grid makes the history unreadable.
    EXPECT_FALSE(game.LoadGame(Write("off.sdk", grid + "US:5090|1*"), false, true));
    EXPECT_FALSE(game.LoadGame(Write("off2.sdk", grid + "US:5009|1*"), false, true));
    EXPECT_FALSE(game.LoadGame(Write("short.sdk", grid + "US:500|1*"), false, true));
    ASSERT_TRUE(game.LoadGame(Write("cursor.sdk", grid + "US:5002|7*"), false, true));
    EXPECT_EQ(game.GetUserStackCount(), 1u);
    EXPECT_EQ(game.GetUserStackPtr(), 1u);

    // Entries that contradict the grid are refused when applied, never forced in.
    std::string riddle;
    for (char c : std::string(Riddle))
        riddle += c == '.' ? std::string("-") : std::string("*") + c;
    ASSERT_TRUE(
        game.LoadGame(Write("against.sdk", riddle + "US:5000900210444002|4*"), false, true));
    for (int i = 0; i < 6; ++i) {
        (void)game.Undo();
        EXPECT_TRUE(game.Verify());
    }
    for (int i = 0; i < 6; ++i) {
        (void)game.Redo();
        EXPECT_TRUE(game.Verify());
    }
    EXPECT_EQ(game.GetFixCount(), 30u);
}

TEST_F(GameFiles, LongHistoriesAndOversizedFiles)
{
    // 10,000 moves that toggle one field.
    std::string history;
    for (int i = 0; i < 10000; ++i)
        history += i % 2 ? "0100" : "1000";
    Sudoku game;
    ASSERT_TRUE(game.LoadGame(Write("long.sdk", std::string(81, '-') + "US:" + history + "|10000*"),
                              false, true));
    EXPECT_EQ(game.GetUserStackCount(), 10000u);
    EXPECT_EQ(game.GetUserStackPtr(), 10000u);
    EXPECT_TRUE(game.Undo());
    EXPECT_EQ(game.GetUserStackPtr(), 9999u);

    // Beyond 16 MiB a file is refused without being read.
    std::string big = std::string(81, '-') + "US:";
    big.resize((size_t(16) << 20) + 1, '1');
    EXPECT_FALSE(game.LoadGame(Write("big.sdk", big), false, true));
    EXPECT_EQ(game.GetUserStackCount(), 0u);
}

// "*" is a legal file name character here, but it ends a section of the text.
TEST_F(GameFiles, NameWithTheSectionEndKeepsTheSectionsAfterIt)
{
    Sudoku game;
    MakeRichGame(game);
    const std::string path = Path("star*game.sdk");
    ASSERT_TRUE(game.SaveGame(path, false, true));
    EXPECT_EQ(game.GetFileName(), path);

    Sudoku loaded;
    ASSERT_TRUE(loaded.LoadGame(path, false, true));
    EXPECT_TRUE(loaded == game);
    EXPECT_EQ(loaded.GetUserStackPtr(), 2u);
    EXPECT_EQ(loaded.GetBtStepsOnCreation(), 3);
    EXPECT_EQ(loaded.GetUserExcludes(2, 3), SetOf({3, 7}));
    EXPECT_EQ(loaded.GetFileName(), path);
    EXPECT_FALSE(loaded.IsStateChanged());
}

TEST_F(GameFiles, FileSectionNamingAFolderIsIgnored)
{
    fs::create_directories(m_dir / "somefolder");
    const std::string grid(81, '-');
    Sudoku game;
    ASSERT_TRUE(game.ReadStream(grid + "FILE:" + Path("somefolder") + "*", false));
    EXPECT_EQ(game.GetFileName(), "");
    const std::string existing = Write("existing.sdk", grid);
    ASSERT_TRUE(game.ReadStream(grid + "FILE:" + Path("") + "//existing.sdk*", false));
    EXPECT_EQ(game.GetFileName(), existing);
    ASSERT_TRUE(game.ReadStream(grid + "FILE:" + Path("missing.sdk") + "*", false));
    EXPECT_EQ(game.GetFileName(), "");
}

// --- Dumps ---------------------------------------------------------------------------------

TEST(GameDumps, BoardAndCandidateTexts)
{
    Sudoku game;
    LoadRiddle(game);
    const std::string board = game.ToString().Str();
    EXPECT_EQ(board.substr(0, board.find('\n')), "5 3 -    - 7 -    - - - ");
    EXPECT_EQ(std::count(board.begin(), board.end(), '\n'), 10);
    EXPECT_NE(board.find("\n\n8 - -    - 6 -    - - 3 "), std::string::npos);

    const std::string sets = game.ResultSetsToString().Str();
    EXPECT_EQ(sets.substr(0, sets.find('\n')), "0/0: { }");
    EXPECT_NE(sets.find("\n0/2: " + game.GetField(0, 2).GetResultSet().ToString().Str() + "\n"),
              std::string::npos);
    EXPECT_EQ(std::count(sets.begin(), sets.end(), '\n'), 80);

    EXPECT_EQ(game.ResultSetsToString(static_cast<SdkBlockType>(4)), "");
    const std::string rows = game.ResultSetsToString(SdkBlockRow).Str();
    EXPECT_EQ(rows.substr(0, 25), "\nRow: 0:\n0: 5 | { }\n1: 3 ");
    EXPECT_NE(game.ResultSetsToString(SdkBlockQuad).Str().find("\nQuad: 8:\n"), std::string::npos);
}

TEST(GameDumps, DoublesAreNamedWithTheirPositions)
{
    // Row 0 holds 1..7 from column 2 on: 8 and 9 remain for columns 0 and 1.
    Sudoku game;
    LoadRiddle(game, "..1234567" + std::string(72, '.'));
    const std::string rows = game.ResultSetsToString(SdkBlockRow).Str();
    EXPECT_NE(rows.find("\n0: - | { 8, 9 } Doubles at [0] [1]\n1: - | { 8, 9 } Doubles at [0] [1]"),
              std::string::npos)
        << rows.substr(0, 200);
}
