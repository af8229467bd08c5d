// The command-line tool: every command as lines in, lines and exit code out.
#include "tools/SdkCli.h"
#include "tools/cli_tech.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
const std::string Easy =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const std::string EasySolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
const std::string Hard =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";
// Singles only: its hardest step is a naked single.
const std::string Singles =
    "18..4..6...9.6....2..71.....48......7...5.....2...19.8496.7.8...7.........1...5..";

struct Result
{
    int code;
    std::string out, err;
};

Result Cli(std::vector<std::string> args, const std::string &input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = SdkCli::Run(args, in, out, err);
    return {code, out.str(), err.str()};
}

std::string ReadAll(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class CliFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("nf-cli-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Write(const std::string &name, const std::string &content)
    {
        std::ofstream(dir / name, std::ios::binary) << content;
        return (dir / name).string();
    }
    fs::path dir;
};
} // namespace

std::vector<std::string> Words(const std::string &text)
{
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

TEST(Cli, CommandsOnLines)
{
    std::string conflict = Easy, marks = Easy, hardOut = Cli({"solve"}, Hard + "\n").out;
    conflict[1] = '5'; // a second 5 in row 1
    marks[2] = '0', marks[3] = '-';
    std::string wrong = Singles, changed = Singles;
    wrong[2] = '1';   // the solution has 7 there
    changed[1] = '7'; // a given changed
    const std::string E = Easy + "\n", H = Hard + "\n", ES = EasySolution + " bt=0\n",
                      empty(81, '.'), dead = "12345678.........9" + std::string(63, '.');
    struct Case
    {
        const char *args;
        std::string input;
        int code;
        std::string out, err; // err: the start of each line
    } cases[] = {
        {"solve", "# two\n" + marks + "\n\n" + Easy + "\r\n", 0, ES + ES, ""},
        {"solve --max-depth 0 -", E + H, 0, ES + "unsolved\n", ""},
        {"solve --threaded", E + H, 0, ES + hardOut, ""},
        {"solve --threaded --max-depth 0", H, 0, "unsolved\n", ""},
        {"solve", Easy.substr(0, 70) + "\n" + conflict + "\n" + E + empty.substr(1) + "?\n", 1, ES,
         "invalid 1: \ninvalid 2: \ninvalid 4: "},
        {"solve", dead + "\n", 0, "unsolved\n", ""},
        {"count", E + "\n# c\n" + empty + "\n11" + empty.substr(2) + "\n", 0, "1\n2\n0\n", ""},
        {"count --limit 7", std::string(81, '0') + "\n", 0, "7\n", ""},
        {"count -", "12345\n" + E, 1, "1\n", "invalid 1:"},
        {"convert -", "hello\n", 1, "", "invalid 1: "},
        {"create --fix 25 --attempts 2 --min-bt 80 --count 2", "", 1, "failed\nfailed\n", ""},
        {"rate", Singles + "\n# c\n" + empty + "\n123\n", 1,
         "2.3 naked-single\nno unique solution\n", "invalid 4:"},
        {"rate --compare", Singles + " 2.3\n" + Singles + " 1.0\n", 0,
         "2.3 naked-single\n2.3 naked-single\ncompared 2: spearman 0.000, within 0.5: 50.0 %\n",
         ""},
        {"hint", Singles + "\n", 0, "hidden-single-box (1.2) in quad 1; places 4 at [3,3]\n", ""},
        {"hint", Singles + " " + wrong + "\n", 0, "wrong value at [1,3]: the solution has 7\n", ""},
        {"hint", Singles + " " + changed + "\n", 1, "", "invalid"}};
    for (const Case &c : cases) {
        const Result r = Cli(Words(c.args), c.input);
        EXPECT_EQ(r.code, c.code) << c.args << " " << c.input.substr(0, 20);
        EXPECT_EQ(r.out, c.out) << c.args << " " << c.input.substr(0, 20);
        std::istringstream want(c.err), got(r.err);
        for (std::string w, g; std::getline(want, w);)
            EXPECT_TRUE(std::getline(got, g) && g.rfind(w, 0) == 0) << g << " for " << w;
    }
    EXPECT_GT(std::stoi(hardOut.substr(hardOut.find(" bt=") + 4)), 0);
    for (size_t i = 0; i < 81; ++i)
        EXPECT_TRUE(Hard[i] == '.' ? hardOut[i] != '0' : hardOut[i] == Hard[i]) << i;
    // Bad arguments exit with 2; help with 0.
    std::istringstream bad("\nfrobnicate\nsolve --max-depth\nsolve --max-depth x\nsolve --bogus\n"
                           "solve a b\nshow\nsolve /nonexistent/r.txt\ncreate --fix 0\n"
                           "create --fix thirty\ncreate --attempts\ncount --limit 0\n"
                           "count /no/such/file\nmake-stock --seed 7\nrate --bogus");
    for (std::string args; std::getline(bad, args);)
        EXPECT_EQ(Cli(Words(args)).code, 2) << args;
    const Result help = Cli({"--help"});
    EXPECT_EQ(help.code + Cli({"create", "--help"}).code, 0);
    EXPECT_NE(help.out.find("solve [--max-depth N]"), std::string::npos);
    // Created riddles solve with the depth reported for them.
    const Result r = Cli(Words("create --fix 30 --attempts 1000 --min-bt 1 --max-bt -1 --count 1"));
    ASSERT_TRUE(std::regex_match(r.out, std::regex(R"([1-9.]{81} bt=[1-9]\d* attempt=\d+\n)")));
    EXPECT_EQ(Cli({"solve"}, r.out.substr(0, 81) + "\n").out.substr(81),
              r.out.substr(81, r.out.find(" attempt") - 81) + "\n");
}

TEST(Cli, SpearmanRanksWithTies)
{
    const std::tuple<std::vector<double>, std::vector<double>, double> cases[] = {
        {{1, 2, 3, 4}, {10, 20, 30, 40}, 1.0},
        {{1, 2, 3, 4}, {4, 3, 2, 1}, -1.0},
        {{1, 2, 2, 3}, {1, 2, 3, 4}, 0.9486832980505138},
        {{5, 5, 5}, {1, 2, 3}, 0.0}};
    for (const auto &[a, b, expected] : cases)
        EXPECT_NEAR(SdkCli::Spearman(a, b), expected, 1e-9);
}

TEST_F(CliFiles, GameFilesAndStocks)
{
    const Result text = Cli({"convert"}, Easy + "\n");
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_EQ(text.out.substr(0, 6), "*5*3--");
    EXPECT_NE(text.out.find("FILE:*US:|0*BT:-1*USERRSINC:*USERRSEXC:*\n"), std::string::npos);
    EXPECT_EQ(Cli({"convert", "-"}, text.out).out, Easy + "\n");
    EXPECT_EQ(Cli({"convert", Write("game.sdk", text.out)}).out, Easy + "\n");
    // Two played values: solving starts from the riddle; showing counts them.
    std::string played = text.out.substr(0, text.out.size() - 1);
    played.replace(played.find('-'), 2, "46");
    played.replace(played.find("US:|0"), 5, "US:40026003|2");
    const std::string file = Write("played.sdk", played);
    EXPECT_EQ(Cli({"solve", file}).out, EasySolution + " bt=0\n");
    const Result shown = Cli({"show", file});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_EQ(shown.out.rfind("5 3 4    6 7 - ", 0), 0u) << shown.out;
    for (const char *line : {"given: 30\n", "played: 2\n", "empty: 49\n", "history: 2/2\n"})
        EXPECT_NE(shown.out.find(line), std::string::npos) << line;
    // The same seed makes the same stock; every riddle has one solution.
    for (const char *out : {"a", "b"})
        ASSERT_EQ(
            Cli(Words("make-stock --seed 7 --per-level 1 --out " + (dir / out).string())).code, 0);
    int files = 0;
    for (const auto &entry : fs::directory_iterator(dir / "a")) {
        EXPECT_EQ(ReadAll(entry.path()), ReadAll(dir / "b" / entry.path().filename()));
        EXPECT_NE(ReadAll(entry.path()).find("FILE:*"), std::string::npos);
        EXPECT_EQ(Cli({"count", entry.path().string()}).out, "1\n") << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 3);
    EXPECT_TRUE(fs::exists(dir / "a" / "s7-0001.03.spd"));
    EXPECT_EQ(
        Cli(Words("make-stock --per-level 50 --max-tries 3 --out " + (dir / "c").string())).code,
        1);
}
