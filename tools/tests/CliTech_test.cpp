// The human-technique commands of the tool: rate (with --compare) and hint.
#include "tools/SdkCli.h"
#include "tools/cli_tech.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {
// Singles only: its hardest step is a naked single.
const std::string Easy =
    "18..4..6...9.6....2..71.....48......7...5.....2...19.8496.7.8...7.........1...5..";

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

TEST(CliRate, PrintsRatingAndTechniquePerLine)
{
    Result r = Cli({"rate"}, Easy + "\n# comment\n" + std::string(81, '.') + "\n123\n");
    EXPECT_EQ(r.out, "2.3 naked-single\nno unique solution\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("invalid 4:"), std::string::npos) << r.err;
}

TEST(CliRate, ComparesWithReferenceRatings)
{
    Result r = Cli({"rate", "--compare"}, Easy + " 2.3\n" + Easy + " 1.0\n");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("compared 2: spearman 0.000, within 0.5: 50.0 %"), std::string::npos)
        << r.out;
    EXPECT_EQ(Cli({"rate", "--bogus"}).code, 2);
}

struct SpearmanCase
{
    std::vector<double> a, b;
    double expected;
};

TEST(CliRate, SpearmanRanksWithTies)
{
    const SpearmanCase cases[] = {
        {{1, 2, 3, 4}, {10, 20, 30, 40}, 1.0},
        {{1, 2, 3, 4}, {4, 3, 2, 1}, -1.0},
        {{1, 2, 2, 3}, {1, 2, 3, 4}, 0.9486832980505138},
        {{5, 5, 5}, {1, 2, 3}, 0.0},
    };
    for (const SpearmanCase &c : cases)
        EXPECT_NEAR(SdkCli::Spearman(c.a, c.b), c.expected, 1e-9);
}

TEST(CliHint, WordsTheStepsToThePlacement)
{
    Result r = Cli({"hint"}, Easy + "\n");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "hidden-single-box (1.2) in quad 1; places 4 at [3,3]\n");
}

TEST(CliHint, NamesAWrongPlayedValue)
{
    std::string played = Easy;
    played[2] = '1'; // the solution has 7 there
    Result r = Cli({"hint"}, Easy + " " + played + "\n");
    EXPECT_EQ(r.out, "wrong value at [1,3]: the solution has 7\n");
    played = Easy;
    played[1] = '7';
    EXPECT_EQ(Cli({"hint"}, Easy + " " + played + "\n").code, 1) << "a given changed";
}
} // namespace
