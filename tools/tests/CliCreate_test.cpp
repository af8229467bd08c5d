// The creation commands of the tool: create, count, make-stock and solve --threaded.
#include "tools/SdkCli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
const std::string Easy =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const std::string Hard =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";

struct Result
{
    int code;
    std::string out;
    std::string err;
};

Result Cli(std::vector<std::string> args, const std::string &input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    int code = SdkCli::Run(args, in, out, err);
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

std::string ReadAll(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class CliStock : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("ninefold-stock-" + std::to_string(getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};
} // namespace

TEST(CliCreate, PrintsEachRiddleWithItsDepthAndAttempt)
{
    Result r = Cli({"create", "--fix", "30", "--attempts", "1000", "--min-bt", "1", "--max-bt",
                    "-1", "--min-direct", "5", "--count", "2"});
    EXPECT_EQ(r.code, 0) << r.err;
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    const std::regex format(R"(([1-9.]{81}) bt=(\d+) attempt=(\d+))");
    for (const std::string &line : lines) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, format)) << line;
        EXPECT_EQ(std::count_if(line.begin(), line.begin() + 81, [](char c) { return c != '.'; }),
                  30);
        EXPECT_GE(std::stoi(m[2]), 1);
        // The riddle solves with exactly the reported number of nested guesses.
        Result solved = Cli({"solve"}, m[1].str() + "\n");
        EXPECT_NE(solved.out.find(" bt=" + m[2].str() + "\n"), std::string::npos) << solved.out;
    }
}

TEST(CliCreate, FailedCreationsAndBadOptions)
{
    Result r = Cli({"create", "--fix", "25", "--attempts", "2", "--min-bt", "80", "--count", "2"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "failed\nfailed\n");

    EXPECT_EQ(Cli({"create", "--fix", "0"}).code, 2);
    EXPECT_EQ(Cli({"create", "--fix", "thirty"}).code, 2);
    EXPECT_EQ(Cli({"create", "--attempts"}).code, 2);
    EXPECT_EQ(Cli({"create", "--colour", "red"}).code, 2);
    EXPECT_EQ(Cli({"create", "--help"}).code, 0);
}

TEST(CliCount, CountsSolutionsUpToTheLimit)
{
    std::string conflicting = "11" + std::string(79, '.');
    Result r =
        Cli({"count"}, Easy + "\n\n# comment\n" + std::string(81, '.') + "\n" + conflicting + "\n");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "1\n2\n0\n");

    r = Cli({"count", "--limit", "7"}, std::string(81, '0') + "\n");
    EXPECT_EQ(r.out, "7\n");

    r = Cli({"count", "-"}, "12345\n" + Easy + "\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "1\n");
    EXPECT_NE(r.err.find("invalid 1:"), std::string::npos);

    EXPECT_EQ(Cli({"count", "--limit", "0"}).code, 2);
    EXPECT_EQ(Cli({"count", "/no/such/file"}).code, 2);
}

TEST(CliSolve, ThreadedGivesTheSameOutput)
{
    std::string input = Easy + "\n" + Hard + "\n";
    Result plain = Cli({"solve"}, input);
    Result threaded = Cli({"solve", "--threaded"}, input);
    EXPECT_EQ(threaded.code, 0);
    EXPECT_EQ(threaded.out, plain.out);
    EXPECT_EQ(Lines(threaded.out).size(), 2u);

    Result limited = Cli({"solve", "--threaded", "--max-depth", "0"}, Hard + "\n");
    EXPECT_EQ(limited.out, "unsolved\n");
}

TEST_F(CliStock, SameSeedSameStockAndEveryRiddleUnique)
{
    fs::path a = m_dir / "a", b = m_dir / "b";
    Result ra = Cli({"make-stock", "--seed", "7", "--per-level", "2", "--out", a.string()});
    Result rb = Cli({"make-stock", "--seed", "7", "--per-level", "2", "--out", b.string()});
    ASSERT_EQ(ra.code, 0) << ra.err;
    ASSERT_EQ(rb.code, 0) << rb.err;

    int files = 0;
    for (const auto &entry : fs::directory_iterator(a)) {
        ++files;
        fs::path twin = b / entry.path().filename();
        ASSERT_TRUE(fs::exists(twin)) << twin;
        EXPECT_EQ(ReadAll(entry.path()), ReadAll(twin));
        // No file name of the machine that made it.
        EXPECT_NE(ReadAll(entry.path()).find("FILE:*"), std::string::npos);
        Result count = Cli({"count", entry.path().string()});
        EXPECT_EQ(count.out, "1\n") << entry.path();
    }
    EXPECT_EQ(files, 6);
    for (int level = 1; level <= 3; ++level)
        EXPECT_TRUE(fs::exists(a / ("s7-0002.0" + std::to_string(level) + ".spd")));

    Result other = Cli({"make-stock", "--seed", "8", "--per-level", "1", "--out", b.string()});
    EXPECT_EQ(other.code, 0);
    EXPECT_NE(ReadAll(b / "s8-0001.01.spd"), ReadAll(a / "s7-0001.01.spd"));

    EXPECT_EQ(Cli({"make-stock", "--seed", "7"}).code, 2) << "no folder";
    EXPECT_EQ(Cli({"make-stock", "--per-level", "50", "--max-tries", "3", "--out",
                   (m_dir / "c").string()})
                  .code,
              1);
}
