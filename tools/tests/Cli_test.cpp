#include "tools/SdkCli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {
// Solved by singles alone, and its solution.
const std::string Easy =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const std::string EasySolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
// Needs guessing.
const std::string Hard =
    "...175.3.3...9.....5.....21....8..62..63.1.....3...7.......7.......2.9.7..56..28.";

struct Result
{
    int code;
    std::string out;
    std::string err;
};

Result RunCli(std::vector<std::string> args, const std::string &input = "", bool progress = false)
{
    std::istringstream in(input);
    std::ostringstream out, err;
    SdkCli::Options options;
    options.progress = progress;
    int code = SdkCli::Run(args, in, out, err, options);
    return {code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);)
        lines.push_back(line);
    return lines;
}

class CliFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("ninefold-cli-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Write(const std::string &name, const std::string &content)
    {
        fs::path p = m_dir / name;
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }
    fs::path m_dir;
};
} // namespace

TEST(CliParse, AcceptsTheThreeEmptyMarksAndRejectsBadLines)
{
    std::vector<int> digits;
    std::string reason;
    std::string line = Easy;
    line[2] = '0';
    line[3] = '-';
    ASSERT_TRUE(SdkCli::ParseRiddleLine(line, digits, reason));
    EXPECT_EQ(digits[0], 5);
    EXPECT_EQ(digits[2], 0);
    EXPECT_EQ(digits[3], 0);

    EXPECT_FALSE(SdkCli::ParseRiddleLine(Easy.substr(0, 80), digits, reason));
    EXPECT_NE(reason.find("81"), std::string::npos);
    line = Easy;
    line[40] = 'x';
    EXPECT_FALSE(SdkCli::ParseRiddleLine(line, digits, reason));
    EXPECT_NE(reason.find("41"), std::string::npos);

    EXPECT_TRUE(SdkCli::IsSkippedLine(""));
    EXPECT_TRUE(SdkCli::IsSkippedLine("   "));
    EXPECT_TRUE(SdkCli::IsSkippedLine("  # comment"));
    EXPECT_FALSE(SdkCli::IsSkippedLine(Easy));
}

TEST(CliSolve, PrintsOneLinePerRiddleInInputOrder)
{
    std::string input = "# two riddles\n" + Easy + "\n\n" + Hard + "\r\n";
    Result r = RunCli({"solve"}, input);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], EasySolution + " bt=0");
    // The hard one needs nested guesses; its solution keeps the givens.
    ASSERT_GT(lines[1].size(), 85u);
    EXPECT_EQ(lines[1].substr(81, 4), " bt=");
    EXPECT_GT(std::stoi(lines[1].substr(85)), 0);
    for (size_t i = 0; i < 81; ++i) {
        if (Hard[i] != '.') {
            EXPECT_EQ(lines[1][i], Hard[i]) << i;
        }
    }
    EXPECT_EQ(lines[1].find('0'), std::string::npos);
}

TEST(CliSolve, DepthLimitGivesUnsolved)
{
    Result r = RunCli({"solve", "--max-depth", "0", "-"}, Easy + "\n" + Hard + "\n");
    EXPECT_EQ(r.code, 0);
    auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], EasySolution + " bt=0");
    EXPECT_EQ(lines[1], "unsolved");
}

TEST(CliSolve, InvalidLinesGoToStderrWithTheirNumber)
{
    std::string conflict = Easy;
    conflict[1] = '5'; // a second 5 in row 1
    std::string input =
        Easy.substr(0, 70) + "\n" + conflict + "\n" + Easy + "\n" + std::string(80, '.') + "?\n";
    Result r = RunCli({"solve"}, input);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Lines(r.out), std::vector<std::string>{EasySolution + " bt=0"});
    auto errs = Lines(r.err);
    ASSERT_EQ(errs.size(), 3u);
    EXPECT_EQ(errs[0].rfind("invalid 1: ", 0), 0u) << errs[0];
    EXPECT_EQ(errs[1].rfind("invalid 2: ", 0), 0u) << errs[1];
    EXPECT_NE(errs[1].find("1/2"), std::string::npos) << errs[1];
    EXPECT_EQ(errs[2].rfind("invalid 4: ", 0), 0u) << errs[2];
}

TEST(CliSolve, UnsolvableRiddleIsReportedNotHidden)
{
    // Row 0 leaves only 9 for (0,8), but column 8 already holds a 9.
    std::string riddle = "12345678." + std::string(8, '.') + "9" + std::string(63, '.');
    Result r = RunCli({"solve"}, riddle + "\n");
    EXPECT_EQ(r.code, 0);
    auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0] == "unsolved" || lines[0].rfind("error ", 0) == 0) << lines[0];
}

TEST(CliUsage, BadArgumentsExitWithTwo)
{
    EXPECT_EQ(RunCli({}).code, 2);
    EXPECT_EQ(RunCli({"frobnicate"}).code, 2);
    EXPECT_EQ(RunCli({"solve", "--max-depth"}).code, 2);
    EXPECT_EQ(RunCli({"solve", "--max-depth", "x"}).code, 2);
    EXPECT_EQ(RunCli({"solve", "--bogus"}).code, 2);
    EXPECT_EQ(RunCli({"solve", "a", "b"}).code, 2);
    EXPECT_EQ(RunCli({"show"}).code, 2);
    EXPECT_EQ(RunCli({"solve", "/nonexistent/riddles.txt"}).code, 2);
    Result help = RunCli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("solve [--max-depth N]"), std::string::npos);
    EXPECT_NE(help.out.find("convert"), std::string::npos);
}

TEST(CliProgress, OnlyForBigBatchesWhenAsked)
{
    std::string input;
    for (int i = 0; i < 101; ++i)
        input += Easy + "\n";
    Result quiet = RunCli({"solve"}, input, false);
    EXPECT_EQ(quiet.err, "");
    Result bar = RunCli({"solve"}, input, true);
    EXPECT_NE(bar.err.find("101/101"), std::string::npos);
    EXPECT_EQ(Lines(bar.out).size(), 101u);
    Result small = RunCli({"solve"}, Easy + "\n", true);
    EXPECT_EQ(small.err, "");
}

TEST_F(CliFiles, ConvertRoundTripsBetweenLinesAndGameText)
{
    Result text = RunCli({"convert"}, Easy + "\n");
    ASSERT_EQ(text.code, 0) << text.err;
    auto lines = Lines(text.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 6), "*5*3--");
    EXPECT_NE(lines[0].find("FILE:*US:|0*BT:-1*USERRSINC:*USERRSEXC:*"), std::string::npos);

    Result back = RunCli({"convert", "-"}, lines[0] + "\n");
    ASSERT_EQ(back.code, 0) << back.err;
    EXPECT_EQ(back.out, Easy + "\n");

    std::string file = Write("game.sdk", lines[0]);
    Result fromFile = RunCli({"convert", file});
    EXPECT_EQ(fromFile.code, 0);
    EXPECT_EQ(fromFile.out, Easy + "\n");

    Result bad = RunCli({"convert"}, "hello\n");
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("invalid 1: ", 0), 0u);
}

TEST_F(CliFiles, SolveAndShowAGameFile)
{
    // The riddle with two played values: solving starts from the riddle.
    std::string text = RunCli({"convert"}, Easy + "\n").out;
    text = text.substr(0, text.size() - 1);
    // (0,2) is empty in the riddle: play its solution digit 4, and 6 at (0,3).
    size_t firstEmpty = text.find('-');
    text.replace(firstEmpty, 2, "46");
    text.replace(text.find("US:|0"), 5, "US:40026003|2");
    std::string file = Write("played.sdk", text);

    Result solved = RunCli({"solve", file});
    EXPECT_EQ(solved.code, 0) << solved.err;
    EXPECT_EQ(solved.out, EasySolution + " bt=0\n");

    Result shown = RunCli({"show", file});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_EQ(shown.out.rfind("5 3 4    6 7 - ", 0), 0u) << shown.out;
    EXPECT_NE(shown.out.find("given: 30\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("played: 2\n"), std::string::npos);
    EXPECT_NE(shown.out.find("empty: 49\n"), std::string::npos);
    EXPECT_NE(shown.out.find("history: 2/2\n"), std::string::npos);

    std::string broken = Write("broken.sdk", "*5*3\x01\x02garbage");
    EXPECT_EQ(RunCli({"show", broken}).code, 1);
    EXPECT_EQ(RunCli({"solve", broken}).code, 1);
    EXPECT_EQ(RunCli({"show", m_dir.string()}).code, 2);
}

TEST(CliProgram, RealExecutableDocumentsItselfAndReportsUsageErrors)
{
    std::string cli = NINEFOLD_CLI_PATH;
    int status = std::system((cli + " --help >/dev/null").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    status = std::system((cli + " nonsense 2>/dev/null").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    status = std::system(("echo '" + Easy + "' | " + cli + " solve - >/dev/null").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
