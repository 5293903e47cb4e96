// INI reader: parsing rules, typed look-ups and the reader's states.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "config/IniFile.h"
#include "tests/support/TempDir.h"

namespace {

// A reader opened on `text`, as if read from a file.
struct ParsedIni {
    explicit ParsedIni(const std::string& text) { ini.Open(dir.Write("test.cfg", text).c_str()); }
    CTempDir dir;
    CIniFile ini;
};

TEST(IniFile, WhitespaceAndCarriageReturnsAroundLinesAreIgnored)
{
    ParsedIni p(" \t[Display]\r\n\r\n   \t \n  Width = 800 \r\n\tBpp\t=\t24\r\nLast=7");
    EXPECT_EQ(p.ini.ReadInteger("Display", "Width", 0), 800);
    EXPECT_EQ(p.ini.ReadInteger("Display", "Bpp", 0), 24);
    EXPECT_EQ(p.ini.ReadInteger("Display", "Last", 0), 7); // no final line feed
    ASSERT_EQ(p.ini.sections.size(), 1u);
    EXPECT_EQ(p.ini.sections.front()->keys.size(), 3u);
}

TEST(IniFile, ValueKeepsLaterEqualsSignsAndTrailingComment)
{
    ParsedIni p("[S]\na=b=c\nWidth=800 ; px\n");
    EXPECT_EQ(p.ini.ReadString("S", "a", ""), "b=c");
    EXPECT_EQ(p.ini.ReadString("S", "Width", ""), "800 ; px");
    EXPECT_DOUBLE_EQ(p.ini.ReadFloat("S", "Width", 0.0), 800.0);
}

TEST(IniFile, CommentsHashKeysAndMalformedLines)
{
    ParsedIni p("[S]\n;Width=1\n#Width=2\nno equals sign\n=3\n  ; indented=4\n");
    EXPECT_EQ(p.ini.ReadInteger("S", "Width", -1), -1);
    EXPECT_EQ(p.ini.ReadInteger("S", "#Width", -1), 2);
    ASSERT_EQ(p.ini.sections.size(), 1u);
    EXPECT_EQ(p.ini.sections.front()->keys.size(), 1u);
}

TEST(IniFile, HeadersAreCutNotParsed)
{
    ParsedIni p("[ Padded]\na=1\n[Display\nb=2\n[Misc] ; note\nc=3\n[\nd=4\n");
    EXPECT_EQ(p.ini.ReadInteger("Padded", "a", 0), 0);
    EXPECT_EQ(p.ini.ReadInteger(" Padded", "a", 0), 1);
    EXPECT_EQ(p.ini.ReadInteger("Displa", "b", 0), 2);
    EXPECT_EQ(p.ini.ReadInteger("Misc] ; not", "c", 0), 3);
    EXPECT_EQ(p.ini.ReadInteger("", "d", 0), 4);
}

TEST(IniFile, LookupsAreCaseSensitive)
{
    ParsedIni p("[Display]\nWidth=1024\n");
    EXPECT_EQ(p.ini.ReadInteger("Display", "width", 5), 5);
    EXPECT_EQ(p.ini.ReadInteger("display", "Width", 5), 5);
    EXPECT_EQ(p.ini.ReadInteger("Display", "Width", 5), 1024);
}

// A repeated header goes on with the section of that name: one section a name.
TEST(IniFile, DuplicateSectionsAndKeysTakeTheFirstThatHasTheKey)
{
    ParsedIni p("[A]\nx=1\nx=2\n[B]\n[A]\nx=3\ny=4\n");
    EXPECT_EQ(p.ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(p.ini.ReadInteger("A", "y", 0), 4);
    EXPECT_EQ(p.ini.sections.size(), 2u);
}

TEST(IniFile, NumbersTruncateAndBooleansAreNonZero)
{
    ParsedIni p("[N]\npos=2.9\nneg=-2.9\ntwo=2\nminus=-1\nhalf=0.5\nzero=0\nzerof=0.0 ; off\n"
                "word=true\nhuge=1e12\n");
    EXPECT_EQ(p.ini.ReadInteger("N", "pos", 0), 2);
    EXPECT_EQ(p.ini.ReadInteger("N", "neg", 0), -2);
    EXPECT_EQ(p.ini.ReadInteger("N", "huge", 77), 77); // beyond int: the default
    EXPECT_TRUE(p.ini.ReadBool("N", "two", false));
    EXPECT_TRUE(p.ini.ReadBool("N", "minus", false));
    EXPECT_TRUE(p.ini.ReadBool("N", "half", false));
    EXPECT_FALSE(p.ini.ReadBool("N", "zero", true));
    EXPECT_FALSE(p.ini.ReadBool("N", "zerof", true));
    EXPECT_TRUE(p.ini.ReadBool("N", "word", true));
    EXPECT_FALSE(p.ini.ReadBool("N", "word", false));
}

TEST(IniFile, TextValuesGiveTheNumericDefaultAndNumbersKeepTheirText)
{
    ParsedIni p("[S]\nname=pool\nn=42\nempty=\n");
    EXPECT_DOUBLE_EQ(p.ini.ReadFloat("S", "name", 1.5), 1.5);
    EXPECT_EQ(p.ini.ReadString("S", "n", ""), "42");
    EXPECT_EQ(p.ini.ReadString("S", "empty", "x"), "");
    EXPECT_DOUBLE_EQ(p.ini.ReadFloat("S", "empty", 3.0), 3.0);
}

TEST(IniFile, OverflowingAndNonFiniteNumbersAreText)
{
    ParsedIni p("[Physics]\nbig=1e999\nGravity=nan\ninf=inf\nninf=-Infinity\n");
    EXPECT_DOUBLE_EQ(p.ini.ReadFloat("Physics", "big", 9.81), 9.81);
    EXPECT_EQ(p.ini.ReadString("Physics", "big", ""), "1e999");
    EXPECT_DOUBLE_EQ(p.ini.ReadFloat("Physics", "Gravity", 9.81), 9.81);
    EXPECT_DOUBLE_EQ(p.ini.ReadFloat("Physics", "inf", 1.0), 1.0);
    EXPECT_DOUBLE_EQ(p.ini.ReadFloat("Physics", "ninf", 1.0), 1.0);
}

TEST(IniFile, KeysBeforeTheFirstHeaderAreDropped)
{
    ParsedIni p("orphan=1\n[S]\nkept=2\n");
    EXPECT_EQ(p.ini.ReadInteger("S", "orphan", 0), 0);
    EXPECT_EQ(p.ini.ReadInteger("S", "kept", 0), 2);
}

TEST(IniFile, MissingOrEmptyFileAnswersDefaults)
{
    CIniFile missing;
    EXPECT_TRUE(missing.Open("/nonexistent/dir/game.cfg"));
    EXPECT_TRUE(missing.opened);
    EXPECT_EQ(missing.ReadInteger("Display", "Width", 800), 800);
    EXPECT_EQ(missing.ReadString("Display", "Name", "x"), "x");

    ParsedIni empty("");
    EXPECT_TRUE(empty.ini.sections.empty());
}

TEST(IniFile, ReadsThrowWhenNotOpened)
{
    CIniFile never;
    EXPECT_THROW(never.ReadFloat("a", "b", 0.0), std::runtime_error);

    ParsedIni p("[S]\nk=1\n");
    p.ini.Clean();
    EXPECT_TRUE(p.ini.sections.empty());
    try {
        p.ini.ReadInteger("S", "k", 0);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Unable read from ini-file - file not opened");
    }
    EXPECT_THROW(p.ini.ReadBool("S", "k", false), std::runtime_error);
    EXPECT_THROW(p.ini.ReadString("S", "k", ""), std::runtime_error);
}

TEST(IniFile, SecondOpenStartsAfresh)
{
    CTempDir dir;
    CIniFile ini;
    ini.Open(dir.Write("a.cfg", "[A]\nx=1\n").c_str());
    ini.Open(dir.Write("b.cfg", "[B]\ny=2\n").c_str());
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 0);
    EXPECT_EQ(ini.ReadInteger("B", "y", 0), 2);
    EXPECT_EQ(ini.fileName, dir.Path() + "/b.cfg");
}

// Thousands of names, each header twice with the second copy's key shadowed:
// every name is found through the index however often it has grown.
TEST(IniFile, EverySectionOfManyIsFoundAndTheFirstCopyOfAKeyWins)
{
    std::string text;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 5000; ++i)
            text += "[s" + std::to_string(i) + "]\nk=" + std::to_string(pass == 0 ? i : -1) + "\n";
    ParsedIni p(text);
    EXPECT_EQ(p.ini.sections.size(), 5000u);
    int wrong = 0;
    for (int i = 0; i < 5000; ++i)
        wrong += p.ini.ReadInteger("s" + std::to_string(i), "k", -2) != i;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(p.ini.ReadInteger("s5000", "k", -2), -2);
    EXPECT_EQ(p.ini.ReadInteger("s", "k", -2), -2);
}

// A game.cfg that is there but gives no settings: the reader says why, holds
// nothing and answers every default, without blocking on a FIFO.
TEST(IniFile, AFileThatIsThereButCannotBeReadSaysWhyAndAnswersDefaults)
{
    CTempDir dir;
    const std::string path = dir.Path() + "/game.cfg";
    struct Case {
        const char* what;
        std::string want;
    };
    for (const Case& c :
         {Case{"directory", "is a directory, not a file"}, Case{"fifo", "is not a regular file"},
          Case{"dangling link", "is a link to nothing"},
          Case{"read error", "cannot be read: Input/output error"}}) {
        std::filesystem::remove_all(path);
        const std::string what = c.what;
        if (what == "directory")
            ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
        else if (what == "fifo")
            ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
        else if (what == "dangling link")
            ASSERT_EQ(symlink((dir.Path() + "/nowhere").c_str(), path.c_str()), 0);
        else // a regular file to stat whose first read fails: page 0 is never mapped
            ASSERT_EQ(symlink("/proc/self/mem", path.c_str()), 0);
        CIniFile ini;
        EXPECT_TRUE(ini.Open(path.c_str()));
        EXPECT_EQ(ini.problem, c.want) << what;
        EXPECT_TRUE(ini.sections.empty()) << what;
        EXPECT_EQ(ini.ReadInteger("Display", "Width", 800), 800) << what;
    }
    // Absent or readable: no problem.
    std::filesystem::remove_all(path);
    CIniFile ini;
    ini.Open(path.c_str());
    EXPECT_EQ(ini.problem, "");
    ini.Open(dir.Write("game.cfg", "[Display]\nWidth=640\n").c_str());
    EXPECT_EQ(ini.problem, "");
    EXPECT_EQ(ini.ReadInteger("Display", "Width", 800), 640);
}

TEST(IniFile, ParseOfAStreamAppendsSections)
{
    CIniFile ini;
    ini.opened = true;
    std::istringstream first("[A]\nx=1\n"), second("[A]\nx=2\ny=3\n");
    ini.Parse(first);
    ini.Parse(second);
    EXPECT_EQ(ini.sections.size(), 1u);
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 3);
}

TEST(IniKey, SplitsAtTheFirstEqualsSign)
{
    CIniKey key("  Width \t=  800px");
    EXPECT_EQ(key.name, "  Width");
    EXPECT_EQ(key.value, "800px");
    EXPECT_EQ(key.kind, 1);
    EXPECT_DOUBLE_EQ(key.GetNumValue(), 800.0);
    EXPECT_EQ(key.GetStrValue(), "800px");

    CIniKey text("k=abc");
    EXPECT_EQ(text.kind, 0);
    EXPECT_DOUBLE_EQ(text.GetNumValue(), 0.0);
}

} // namespace
