#include "base/TString.h"

#include <gtest/gtest.h>

TEST(TString, NumbersAcceptOnlyWholeNumbers)
{
    bool ok = false;
    EXPECT_EQ(TString("  42").AsInt(&ok), 42);
    EXPECT_TRUE(ok);
    EXPECT_EQ(TString("-7").AsInt(&ok), -7);
    EXPECT_TRUE(ok);
    TString("12x").AsInt(&ok);
    EXPECT_FALSE(ok);
    TString("").AsInt(&ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(TString("99999999999").AsInt(&ok), INT_MAX);
    EXPECT_FALSE(ok);
    EXPECT_EQ(TString("-3").AsUint(&ok), 0u);
    EXPECT_FALSE(ok);
    EXPECT_EQ(TString("4294967295").AsUint(&ok), 4294967295u);
    EXPECT_TRUE(ok);
}

TEST(TString, TokensCountEmptyOnes)
{
    TString s("a;;b;");
    EXPECT_EQ(s.GetTokenCount(';'), 4);
    EXPECT_EQ(s.GetToken(0, ';'), "a");
    EXPECT_EQ(s.GetToken(1, ';'), "");
    EXPECT_EQ(s.GetToken(2, ';'), "b");
    EXPECT_EQ(s.GetToken(4, ';'), "");
    EXPECT_EQ(s.GetToken(-1, ';'), "");
}

TEST(TString, EditingAndSearching)
{
    TString s("%LANG% and %LANG%");
    EXPECT_EQ(s.ReplaceAll("%LANG%", "de"), 2);
    EXPECT_EQ(s, "de and de");
    EXPECT_EQ(TString("abc").ReplaceAll("", "x"), 0);
    EXPECT_EQ(TString("abc").Mid(1), "bc");
    EXPECT_EQ(TString("abc").Mid(5), "");
    EXPECT_EQ(TString("abc").Insert(9, "d"), "abcd");
    EXPECT_EQ(TString("abcdef").Cut(1, 2), "adef");
    EXPECT_EQ(TString("line \r\n").EraseTrailing(), "line");
    EXPECT_TRUE(TString("Game.sdk").EndsWith(".SDK", true));
    EXPECT_FALSE(TString("Game.sdk").EndsWith(".SDK"));
    EXPECT_TRUE(TString("Hello").StartsWith("he", true));
    EXPECT_EQ(TString("abc").Stricmp("ABC"), 0);
    EXPECT_LT(TString("abc").Strcmp("abd"), 0);
    EXPECT_EQ(TString::Format("%02d.spd", 3), "03.spd");
    EXPECT_EQ(TString::Format("%s", std::string(1000, 'x').c_str()).Length(), 1000u);
}

TEST(TString, PathForms)
{
    EXPECT_EQ(TString("C:\\Games\\\\old\\").Normalize(), "C:/Games/old");
    EXPECT_EQ(TString("/home//me/").Normalize(), "/home/me");
    EXPECT_EQ(TString("/").Normalize(), "/");
#ifndef _WIN32
    EXPECT_EQ(TString("a\\b").AlignPath(), "a/b");
#endif
}
