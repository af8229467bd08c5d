#include "base/TString.h"

#include <gtest/gtest.h>

#include <string>

TEST(TString, TokensEditingAndPaths)
{
    const TString s("a;;b;");
    EXPECT_EQ(s.GetTokenCount(';'), 4);
    EXPECT_EQ(s.GetToken(0, ';') + "|" + s.GetToken(1, ';') + "|" + s.GetToken(2, ';') + "|" +
                  s.GetToken(4, ';') + s.GetToken(-1, ';'),
              "a||b|");
    TString r("%LANG% and %LANG%");
    EXPECT_EQ(r.ReplaceAll("%LANG%", "de") * 10 + TString("abc").ReplaceAll("", "x"), 20);
    EXPECT_EQ(r, "de and de");
    EXPECT_EQ(TString("abc").Mid(1) + TString("abc").Mid(5) + TString("abc").Insert(9, "d"),
              "bcabcd");
    EXPECT_EQ(TString("abcdef").Cut(1, 2) + TString("line \r\n").EraseTrailing(), "adefline");
    EXPECT_TRUE(TString("Game.sdk").EndsWith(".SDK", true) &&
                !TString("Game.sdk").EndsWith(".SDK"));
    EXPECT_TRUE(TString("Hello").StartsWith("he", true) && TString("abc").Stricmp("ABC") == 0);
    EXPECT_LT(TString("abc").Strcmp("abd"), 0);
    EXPECT_EQ(TString::Format("%02d.spd", 3), "03.spd");
    EXPECT_EQ(TString::Format("%s", std::string(1000, 'x').c_str()).Length(), 1000u);
    EXPECT_EQ(TString("C:\\Games\\\\old\\").Normalize(), "C:/Games/old");
    EXPECT_EQ(TString("/home//me/").Normalize() + TString("/").Normalize(), "/home/me/");
    EXPECT_EQ(TString("a\\b").AlignPath(), "a/b");
}
