// The game's font, and the generator as a program: repeatable output, clear failures.
#include <gtest/gtest.h>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "tools/assetgen/AssetCatalogue.h"
#include "tools/assetgen/GlyphRaster.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(BAIZELINE_RUN_DIR) + "/data/";

TEST(GameFont, LoadsAndHasEveryPrintableAsciiGlyphWithItsLicenceBeside)
{
    CGlyphRaster font(kData + "debug_font.ttf");
    for (unsigned long c = 32; c < 127; ++c)
        EXPECT_TRUE(font.HasGlyph(c)) << "character " << c;
    // A glyph renders to real ink at the overlay's size.
    Coverage a = font.Render("A", 10, 0.0f, 0);
    EXPECT_GT(a.width, 3);
    EXPECT_GT(a.height, 5);
    EXPECT_GT(ReadFile(kData + "debug_font-LICENSE.txt").size(), 1000u);
}

TEST(GameFont, AMissingFontIsReportedByName)
{
    try {
        CGlyphRaster font("/nonexistent/font.ttf");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/font.ttf"), std::string::npos);
    }
}

// Runs the generator in `dir`; answers its exit code (-1 if it did not end in time).
int RunGenerator(std::vector<std::string> args, const std::string& dir)
{
    args.insert(args.begin(), ASSETGEN_BINARY);
    return RunToEnd(args, dir, 120.0);
}

TEST(AssetGenerator, TwoRunsWriteTheSameBytes)
{
    CTempDir first, second;
    ASSERT_EQ(RunGenerator({"--out", first.Path(), "--font", BAIZELINE_FONT_SOURCE}, first.Path()), 0);
    ASSERT_EQ(RunGenerator({"--out", second.Path(), "--font", BAIZELINE_FONT_SOURCE,
                            "--contact-sheet", second.Path() + "/sheet.png"}, second.Path()), 0);
    std::vector<std::string> names = ModelNames();
    for (const PictureAsset& p : Pictures())
        names.push_back(p.name);
    for (const std::string& name : names) {
        std::string a = ReadFile(first.Path() + "/" + name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_TRUE(a == ReadFile(second.Path() + "/" + name)) << name << " differs between runs";
    }
    // The contact sheet is a PNG for people to look at.
    EXPECT_EQ(ReadFile(second.Path() + "/sheet.png").substr(1, 3), "PNG");
}

TEST(AssetGenerator, FailsWithAMessageNamingWhatIsWrong)
{
    CTempDir dir;
    EXPECT_EQ(RunGenerator({"--out", dir.Path(), "--font", dir.Path() + "/missing.ttf"}, dir.Path()), 1);
    EXPECT_NE(ReadFile(dir.Path() + "/err.txt").find("missing.ttf"), std::string::npos);
    EXPECT_EQ(RunGenerator({"--out", dir.Path() + "/no/such/dir", "--font", BAIZELINE_FONT_SOURCE}, dir.Path()), 1);
    EXPECT_NE(ReadFile(dir.Path() + "/err.txt").find("no/such/dir"), std::string::npos);
    EXPECT_EQ(RunGenerator({"--out"}, dir.Path()), 2);
}

// The previews ask for the sheet alone: it must be the sheet a full run draws,
// and nothing may land beside it.
TEST(AssetGenerator, DrawsTheContactSheetAloneWithoutADataFolder)
{
    CTempDir sheetOnly, full;
    ASSERT_EQ(RunGenerator({"--font", BAIZELINE_FONT_SOURCE, "--contact-sheet",
                            sheetOnly.Path() + "/sheet.png"}, sheetOnly.Path()), 0);
    ASSERT_EQ(RunGenerator({"--out", full.Path(), "--font", BAIZELINE_FONT_SOURCE,
                            "--contact-sheet", full.Path() + "/sheet.png"}, full.Path()), 0);
    const std::string sheet = ReadFile(sheetOnly.Path() + "/sheet.png");
    EXPECT_EQ(sheet.substr(1, 3), "PNG");
    EXPECT_TRUE(sheet == ReadFile(full.Path() + "/sheet.png"));
    for (const auto& entry : std::filesystem::directory_iterator(sheetOnly.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "sheet.png" || name == "out.txt" || name == "err.txt") << name;
    }
    // Without either output, or without the font for the digits, it is misused.
    EXPECT_EQ(RunGenerator({"--font", BAIZELINE_FONT_SOURCE}, sheetOnly.Path()), 2);
    EXPECT_EQ(RunGenerator({"--contact-sheet", sheetOnly.Path() + "/other.png"}, sheetOnly.Path()), 2);
}

} // namespace
