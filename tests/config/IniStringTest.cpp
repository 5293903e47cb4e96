// INI string helpers: trims, key-line validity and case-blind comparison.
#include <gtest/gtest.h>

#include "config/IniString.h"

TEST(IniString, TrimsRemoveBlanksTabsLineFeedsAndCarriageReturns)
{
    std::string s = " \t\r\nabc d\r\n\t ";
    std::string left = s, right = s, both = s;
    TrimLeft(left);
    TrimRight(right);
    TrimBoth(both);
    EXPECT_EQ(left, "abc d\r\n\t ");
    EXPECT_EQ(right, " \t\r\nabc d");
    EXPECT_EQ(both, "abc d");

    std::string blank = " \t\r\n";
    TrimBoth(blank);
    EXPECT_EQ(blank, "");
    std::string blankRight = "\t\t";
    TrimRight(blankRight);
    EXPECT_EQ(blankRight, "");
}

TEST(IniString, ValidParameterNeedsAnEqualsSignAfterTheStart)
{
    EXPECT_TRUE(IsValidParameter("a=1"));
    EXPECT_TRUE(IsValidParameter("a="));
    EXPECT_FALSE(IsValidParameter("=1"));
    EXPECT_FALSE(IsValidParameter("no sign"));
    EXPECT_FALSE(IsValidParameter(""));
}

TEST(IniString, CompareNoCaseIgnoresLetterCaseOnly)
{
    EXPECT_TRUE(CompareNoCase("Display", "dISPLAY"));
    EXPECT_FALSE(CompareNoCase("Display", "Displa"));
    EXPECT_EQ(chSectPrefix, '[');
    EXPECT_EQ(chSectPostfix, ']');
    EXPECT_STREQ(chWhite, " \n\t\r");
}
