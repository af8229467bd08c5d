// The game text, game files, the current game and the plain dumps.
#include "SdkTestUtil.h"

#include <fstream>
#include <iterator>

namespace {
const std::string Tail = "FILE:*US:|0*BT:-1*USERRSINC:*USERRSEXC:*";

// kRiddle as a compact game text grid.
std::string RiddleText()
{
    std::string text;
    for (char c : std::string(kRiddle))
        text += c == '0' ? std::string("-") : std::string("*") + c;
    return text;
}

// Played values, a history with its cursor below its count, user marks and a depth.
void MakeRichGame(Sudoku &g)
{
    ASSERT_TRUE(g.ReadStream(RiddleText() + "BT:3*", false));
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2) && g.SetValue(SdkDigit6, 0, 3));
    ASSERT_TRUE(g.SetValue(SdkDigit8, 0, 5) && g.Undo());
    ASSERT_TRUE(g.SetUserCandidates(SetOf({1, 9}), 8, 0) && g.SetUserCandidates(SetOf({2}), 4, 4));
    ASSERT_TRUE(g.SetUserExcludes(SetOf({3, 7}), 2, 3));
}

std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every test gets its own home (and so its own games folder).
class GameFiles : public ::testing::Test
{
protected:
    void SetUp() override { setenv("HOME", dir.c_str(), 1); }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const std::string &name) const { return (dir / name).string(); }
    std::string Write(const std::string &name, const std::string &content) const
    {
        std::ofstream(dir / name, std::ios::binary) << content;
        return Path(name);
    }
    std::string Games() const { return Path("Documents/NinefoldSudokuGames"); }
    char pattern[24] = "/tmp/nf-files-XXXXXX";
    const fs::path dir = mkdtemp(pattern);
};
} // namespace

TEST(GameText, CandidateSetTexts)
{
    EXPECT_EQ(SetOf({1, 4, 9}).WriteStream(true, 0, 2), "0/2:1,4,9");
    EXPECT_EQ(SetOf({1, 4, 9}).WriteStream(false, 0, 2) + SetOf({3}).WriteStream(true, 9, 2) +
                  SetOf({6}).WriteStream(true, 2, 9) + SdkResultSet().WriteStream(true, 1, 1),
              "1,4,936");
    struct Case
    {
        const char *text;
        bool ok;
        unsigned position;   // 100 when none
        SdkResultSet result; // read into {5}
    } cases[] = {{"3/4:1,5", true, 34, SetOf({1, 5})}, {"8/8:2", true, 88, SetOf({2, 5})},
                 {"9/0:1", false, 100, SetOf({5})},    {"0/9:1", false, 100, SetOf({5})},
                 {"3:1", false, 100, SetOf({5})},      {"x/1:1", false, 100, SetOf({5})},
                 {"3/x:1", false, 100, SetOf({5})},    {"", false, 100, SetOf({5})},
                 {"1,12", false, 100, SetOf({1, 5})},  {"2,0,7", true, 100, SetOf({2, 5, 7})},
                 {"10", false, 100, SetOf({5})}};
    for (const Case &c : cases) {
        SdkResultSet set = SetOf({5});
        bool hasPosition = true;
        unsigned row = 7, col = 7;
        EXPECT_EQ(set.ReadStream(c.text, hasPosition, row, col), c.ok) << c.text;
        EXPECT_EQ(hasPosition ? row * 10 + col : 100, c.position) << c.text;
        EXPECT_EQ(set.GetMask(), c.result.GetMask()) << c.text;
    }
    SdkResultSet set = SetOf({8});
    set.FromRsString("a1b1c2");
    EXPECT_EQ(set, SetOf({1, 2}));
}

TEST(GameText, Layouts)
{
    Sudoku g;
    EXPECT_EQ(g.WriteStream(false, false), std::string(81, '-') + Tail);
    StartRiddle(g);
    ASSERT_TRUE(g.SetValue(SdkDigit5, 4, 4) && g.SetValue(SdkDigit4, 0, 2) && g.Undo());
    const std::string compact = g.WriteStream(false, false).Str();
    EXPECT_EQ(compact.substr(0, 12), "*5*3--*7----");
    EXPECT_EQ(compact.substr(compact.find("FILE:")),
              "FILE:*US:50444002|1*BT:-1*USERRSINC:*USERRSEXC:*");
    EXPECT_TRUE(g.Redo());
    EXPECT_EQ(g.WriteStream(true, false).Str().substr(0, 12), "*5*3--*7----");
    EXPECT_EQ(g.WriteStream(false, false).Str().substr(0, 12), "*5*34-*7----");
    const std::string formatted = g.WriteStream(false, true).Str();
    EXPECT_EQ(formatted.substr(0, formatted.find('\n') + 1), "*5 *3  4    - *7  -    -  -  -\n");
    EXPECT_EQ(std::count(formatted.begin(), formatted.end(), '\n'), 9);
    Sudoku pasted; // blanks and line breaks between the fields are read over
    EXPECT_TRUE(pasted.ReadStream(formatted, false) && Values(pasted) == Values(g));
    EXPECT_EQ(formatted.substr(formatted.rfind('\n') + 1),
              "FILE:*US:50444002|2*" + Tail.substr(12));
}

TEST(GameText, ReadingBackKeepsTheGame)
{
    Sudoku g;
    MakeRichGame(g);
    const std::string text = g.WriteStream(false, false).Str();
    for (bool definitionOnly : {false, true}) {
        Sudoku r;
        EventRecorder rec(r);
        ASSERT_TRUE(r.ReadStream(text, definitionOnly));
        EXPECT_EQ(r.WriteStream(false, false).Str().substr(0, 111),
                  g.WriteStream(definitionOnly, false).Str().substr(0, 111));
        EXPECT_EQ(std::to_string(r.GetBtStepsOnCreation()) + " " +
                      r.GetUserCandidates(8, 0).ToRsString().Str() + "/" +
                      r.GetUserCandidates(4, 4).ToRsString().Str() + "/" +
                      r.GetUserExcludes(2, 3).ToRsString().Str(),
                  definitionOnly ? "3 //" : "3 1,9/2/3,7");
        // The walk over the grid plays each value; the history is not kept.
        EXPECT_EQ(History(r), "|0");
        const std::vector<std::string> walk = {Solved(true, 4, 0, 2), Solved(true, 6, 0, 3)};
        EXPECT_EQ(rec.lines, definitionOnly ? std::vector<std::string>() : walk);
    }
}

// The playing time and the riddle's origin: sections after "USERRSEXC:", written only when
// there is something to keep; the time is taken over only with the game's state, the origin
// with the givens.
TEST(GameText, PlayTimeAndOrigin)
{
    const std::string text = RiddleText() + Tail;
    Sudoku game;
    ASSERT_TRUE(game.ReadStream(text, false));
    EXPECT_EQ(game.WriteStream(false, false).Str(), text);
    game.SetPlayTime(754);
    EXPECT_EQ(game.WriteStream(false, false).Str(), text + "TIME:754*");
    game.SetRiddleOrigin({2, 4});
    EXPECT_EQ(game.WriteStream(false, false).Str(), text + "TIME:754*ORIGIN:C4*");
    // Back at the givens the clock starts over; the riddle is still the same.
    EXPECT_TRUE(game.StartGame(true, true, false));
    EXPECT_EQ(game.GetPlayTime(), 754u);
    EXPECT_TRUE(game.StartGame(false, true, false));
    EXPECT_EQ(game.GetPlayTime() * 10 + unsigned(game.GetRiddleOrigin().kind), 2u);
    EXPECT_TRUE(game.Reset());
    EXPECT_EQ(game.GetPlayTime() * 10 + unsigned(game.GetRiddleOrigin().kind), 0u);
    game.SetRiddleOrigin({3, 1});
    EXPECT_EQ(game.GetRiddleOrigin().kind, 0);
    // section, definition only; then seconds, origin kind and level
    const std::tuple<const char *, bool, unsigned, int, int> cases[] = {
        {"TIME:754*", false, 754, 0, 0},      {"TIME:754", false, 754, 0, 0},
        {"TIME:754*", true, 0, 0, 0},         {"TIME:7x*", false, 0, 0, 0},
        {"TIME:-3*", false, 0, 0, 0},         {"TIME:*", false, 0, 0, 0},
        {"TIMER:9*", false, 0, 0, 0},         {"TIME:5*ORIGIN:P3*", false, 5, 1, 3},
        {"TIME:5*ORIGIN:C4*", true, 0, 2, 4}, {"ORIGIN:C2", false, 0, 2, 2},
        {"ORIGIN:X2*", false, 0, 0, 0},       {"ORIGIN:P*", false, 0, 0, 0},
        {"ORIGIN:P12*", false, 0, 0, 0},      {"ORIGIN:C2*TIME:5*", false, 0, 2, 2}};
    for (auto [section, definitionOnly, seconds, kind, level] : cases) {
        game.SetPlayTime(99);
        game.SetRiddleOrigin({1, 1});
        EXPECT_TRUE(game.ReadStream(text + section, definitionOnly));
        EXPECT_EQ(game.GetPlayTime(), seconds) << section;
        EXPECT_EQ(game.GetRiddleOrigin().kind * 10 + game.GetRiddleOrigin().level,
                  kind * 10 + level)
            << section;
        EXPECT_EQ(game.GetFixCount(), 30u);
    }
}

TEST(GameText, BrokenTextsAndSections)
{
    const std::string grid(81, '-'), riddle = RiddleText();
    // text; whether read; values at (0, 0) and (0, 2), depth, user candidates at (0, 0), (1, 1)
    const std::tuple<std::string, bool, const char *> cases[] = {
        {"", 0, "00-1 /"},
        {riddle.substr(0, riddle.size() - 2) + Tail, 0, "50-1 /"},
        {"*5*3*-" + riddle.substr(5), 0, "50-1 /"},
        {"*5*33" + riddle.substr(5), 0, "50-1 /"},
        {riddle + "garbage", 1, "50-1 /"},
        {grid + "FILE:*US:*BT:5*USERRSINC:*USERRSEXC:*", 1, "005 /"},
        {grid + "BT:*USERRSINC:0/0:1,2;nonsense;9/9:1;1/1:3;", 1, "00-1 1,2/3"},
        {grid + "USERRSEXC:0/0:4;", 1, "00-1 /"}};
    for (const auto &[text, ok, fields] : cases) {
        Sudoku g;
        StartRiddle(g, kOneGuess);
        EXPECT_EQ(g.ReadStream(text, false), ok) << text;
        EXPECT_EQ(std::to_string(g.GetField(0, 0).GetValue()) +
                      std::to_string(g.GetField(0, 2).GetValue()) +
                      std::to_string(g.GetBtStepsOnCreation()) + " " +
                      g.GetUserCandidates(0, 0).ToRsString().Str() + "/" +
                      g.GetUserCandidates(1, 1).ToRsString().Str(),
                  fields)
            << text;
        // Read or not, the game was started: candidates are there.
        EXPECT_FALSE(g.GetField(1, 1).GetResultSet().IsEmpty()) << text;
    }
}

// A later save writes to the name a game text brings along: only an existing regular file is
// taken, never a device, a folder or a name that does not exist.
TEST_F(GameFiles, OnlyARegularFileBecomesTheGamesName)
{
    const std::string file = Path("named.sdk");
    std::ofstream(file) << "x";
    const std::pair<std::string, bool> cases[] = {
        {file, true}, {"/dev/null", false}, {Path("."), false}, {Path("missing.sdk"), false}};
    for (const auto &[name, kept] : cases) {
        Sudoku g;
        ASSERT_TRUE(g.ReadStream(std::string(81, '-') + "FILE:" + name + "*", false));
        EXPECT_EQ(g.GetFileName().Str(), kept ? name : "") << name;
    }
}

TEST_F(GameFiles, SaveAndLoad)
{
    Sudoku g;
    MakeRichGame(g);
    const std::string path = Path("rich.sdk");
    EXPECT_FALSE(Sudoku().SaveGame("", false, true));
    ASSERT_TRUE(g.SaveGame(path, false, true));
    EXPECT_FALSE(g.IsDefinitionChanged() || g.IsStateChanged());
    EXPECT_EQ(g.GetFileName(), path);
    EXPECT_EQ(ReadAll(path), g.WriteStream(false, false).Str());
    EXPECT_NE(ReadAll(path).find("US:400260038005|2*"), std::string::npos);

    Sudoku loaded;
    EventRecorder rec(loaded);
    ASSERT_TRUE(loaded.LoadGame(path, false, true));
    EXPECT_TRUE(loaded == g);
    EXPECT_EQ(History(loaded), History(g));
    EXPECT_EQ(loaded.GetFileName(), path);
    EXPECT_FALSE(loaded.IsDefinitionChanged() || loaded.IsStateChanged());
    EXPECT_EQ(rec.lines.front(), "START_LOADING ok 0 d0 00 L0");
    EXPECT_EQ(rec.lines.back(), "END_LOADING ok 0 d0 00 L0");
    ASSERT_TRUE(loaded.Redo());
    EXPECT_EQ(loaded.GetField(0, 5).GetValue(), SdkDigit8);
    // Only the definition, or no history: the game differs from its file.
    for (auto [definitionOnly, readHistory] : {std::pair{true, false}, std::pair{false, false}}) {
        ASSERT_TRUE(loaded.LoadGame(path, definitionOnly, readHistory));
        EXPECT_EQ(Values(loaded).substr(0, 4), definitionOnly ? "53.." : "5346");
        EXPECT_FALSE(loaded.IsDefinitionChanged());
        EXPECT_TRUE(loaded.IsStateChanged());
    }
    // Failed loads report too and leave an empty game.
    rec.Clear();
    fs::create_directories(dir / "dir.sdk");
    for (const std::string &bad : {Path("missing.sdk"), std::string(), Path("dir.sdk")})
        EXPECT_FALSE(loaded.LoadGame(bad, false, true)) << bad;
    EXPECT_EQ(rec.lines.size(), 6u);
    EXPECT_EQ(rec.lines[4], "START_LOADING ok 0 d0 00 L0");
    EXPECT_EQ(Values(loaded) + loaded.GetFileName().Str(), std::string(81, '.'));
    // The history text: four digits an entry, then the cursor.
    const std::tuple<const char *, bool, const char *, int> cases[] = {
        {"5002|7", 1, "50@02 |1", 2},
        {"5002|0", 1, "50@02 |0", 2},
        {"500|1", 0, "|0", -1},
        {"5002x", 0, "50@02 |1", -1},
        {"50021002|1", 1, "50@02 10@02 |1", 2},
        {"50021002|1x", 1, "50@02 10@02 |1", 2},
        {"5090|1", 0, "|0", -1}};
    for (auto [us, ok, history, depth] : cases) {
        const std::string text = std::string(81, '-') + "US:" + us + "*BT:2*";
        EXPECT_EQ(loaded.LoadGame(Write("us.sdk", text), false, true), ok) << us;
        EXPECT_EQ(History(loaded), history) << us;
        EXPECT_EQ(loaded.GetBtStepsOnCreation(), depth) << us;
        // The redo part stays; the applied part is on the board.
        EXPECT_EQ(loaded.GetField(0, 2).GetValue(), loaded.GetUserStackPtr() ? 5u : 0u) << us;
    }
    // Saving to the game's own file, to the current-game file, and failing.
    ASSERT_TRUE(g.Reset());
    StartRiddle(g);
    const std::string first = Path("first.sdk");
    ASSERT_TRUE(g.SaveGame(first, false, true));
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2) && g.IsStateChanged());
    ASSERT_TRUE(g.SaveGame("", false, true)); // to the game's file
    EXPECT_FALSE(g.IsStateChanged());
    EXPECT_NE(ReadAll(first).find("US:4002|1*"), std::string::npos);
    // The current-game file is written but never becomes the game's file.
    ASSERT_TRUE(g.SaveGame(Path("$CURR.sdk"), false, true));
    EXPECT_EQ(g.GetFileName(), first);
    EXPECT_TRUE(fs::exists(dir / "$CURR.sdk"));
    ASSERT_TRUE(g.SetValue(SdkDigit6, 0, 3));
    const std::string before = ReadAll(first);
    EXPECT_FALSE(g.SaveGame(Path("missing-folder/x.sdk"), false, true));
    EXPECT_EQ(g.GetFileName(), first);
    EXPECT_TRUE(g.IsStateChanged());
    EXPECT_EQ(ReadAll(first), before);
    ASSERT_TRUE(g.SaveGame(Path("formatted.sdk"), false, false));
    EXPECT_EQ(ReadAll(Path("formatted.sdk")), g.WriteStream(false, true).Str());
}

TEST_F(GameFiles, CurrentGameRemembersItsNamedFile)
{
    Sudoku none;
    EXPECT_FALSE(none.LoadCurrentGame());
    Sudoku g;
    StartRiddle(g);
    const std::string named = Path("named.sdk");
    ASSERT_TRUE(g.SaveGame(named, false, true));
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2) && g.SaveCurrentGame());
    EXPECT_EQ(g.GetFileName(), named);
    EXPECT_TRUE(g.IsStateChanged());
    EXPECT_EQ(Sudoku::GetUserGamesPath(), Games());
    EXPECT_TRUE(fs::exists(Games() + "/$curr.sdk"));
    auto restored = [&](bool definitionChanged, bool stateChanged, const std::string &name) {
        Sudoku r;
        ASSERT_TRUE(r.LoadCurrentGame());
        EXPECT_EQ(Values(r) + r.GetFileName().Str(), Values(g) + name);
        EXPECT_EQ(r.IsDefinitionChanged(), definitionChanged);
        EXPECT_EQ(r.IsStateChanged(), stateChanged);
    };
    restored(false, true, named);
    ASSERT_TRUE(g.SaveGame("", false, true) && g.SaveCurrentGame());
    restored(false, false, named);
    std::ofstream(named) << "*5*5"; // the named file spoilt or gone: everything counts as changed
    restored(true, true, named);
    fs::remove(named);
    restored(true, true, "");
    std::ofstream(Games() + "/$curr.sdk") << "*5*5"; // a current game that does not load
    EXPECT_FALSE(Sudoku().LoadCurrentGame());
    // The folder must be a folder.
    fs::remove_all(Games());
    std::ofstream(Games()) << "not a folder";
    EXPECT_EQ(Sudoku::GetUserGamesPath(), "");
    EXPECT_FALSE(g.SaveCurrentGame() || g.LoadCurrentGame());
}

TEST(GameDumps, BoardAndCandidateTexts)
{
    Sudoku g;
    StartRiddle(g, "..1234567" + std::string(72, '.'));
    const std::string board = g.ToString().Str();
    EXPECT_EQ(board.substr(0, board.find('\n')), "- - 1    2 3 4    5 6 7 ");
    EXPECT_EQ(std::count(board.begin(), board.end(), '\n'), 10);
    EXPECT_NE(board.find("- \n\n- - -    - - -    - - - \n"), std::string::npos);
    const std::string sets = g.ResultSetsToString().Str();
    EXPECT_EQ(sets.substr(0, sets.find("0/3")),
              "0/0: " + g.GetField(0, 0).GetResultSet().ToString().Str() +
                  "\n0/1: " + g.GetField(0, 1).GetResultSet().ToString().Str() + "\n0/2: { }\n");
    EXPECT_EQ(std::count(sets.begin(), sets.end(), '\n'), 80);
    EXPECT_EQ(g.ResultSetsToString(SdkBlockType(4)), "");
    const std::string rows = g.ResultSetsToString(SdkBlockRow).Str();
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 90); // nine blocks of nine fields
    EXPECT_EQ(rows.substr(0, rows.find("\n2:")),
              "\nRow: 0:\n0: - | { 8, 9 } Doubles at [0] [1]\n1: - | { 8, 9 } Doubles at [0] [1]");
    EXPECT_NE(rows.find("\n2: 1 | { }\n"), std::string::npos);
    EXPECT_NE(g.ResultSetsToString(SdkBlockColumn).Str().find("\nColumn: 8:\n0: 7 | { }"),
              std::string::npos);
}
