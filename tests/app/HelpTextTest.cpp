// HelpLines and HelpText: the free table's controls as the README gives them, the play modes' additions, the layout.
#include "app/HelpText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <utility>

namespace {

// A README cell as the overlay shows it: no code quotes, and the minus sign
// (U+2212) as a hyphen, since the overlay font is ASCII only.
std::string AsOverlayText(std::string s)
{
    s.erase(std::remove(s.begin(), s.end(), '`'), s.end());
    const std::string minus = "\xE2\x88\x92";
    for (size_t at; (at = s.find(minus)) != std::string::npos;)
        s.replace(at, minus.size(), "-");
    return s;
}

std::string Trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(' ');
    const size_t b = s.find_last_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// The rows of the README's Controls table: input and effect.
std::vector<std::pair<std::string, std::string>> ReadmeControls()
{
    std::ifstream in(BAIZELINE_SOURCE_DIR "/README.md");
    std::vector<std::pair<std::string, std::string>> rows;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0)
            inSection = line == "## Controls";
        if (!inSection || line.rfind("| ", 0) != 0 || line.rfind("| Input", 0) == 0)
            continue;
        const size_t bar = line.find(" | ");
        rows.emplace_back(AsOverlayText(Trim(line.substr(2, bar - 2))),
                          AsOverlayText(Trim(line.substr(bar + 3, line.size() - bar - 5))));
    }
    return rows;
}

bool Lists(const std::vector<HelpLine>& lines, const char* keys)
{
    for (const HelpLine& l : lines)
        if (std::strcmp(l.keys, keys) == 0)
            return true;
    return false;
}

const char* const PlayOnlyKeys[] = {"C, or the middle button", "T", "P", "Home, or keypad 5",
                                    "Up / Down arrow, keypad 8 / 2",
                                    "Left / Right arrow, keypad 4 / 6", "Mouse, then left click"};
const char* const EveryModeKeys[] = {"R", "F1", "F2 / F3", "F4 / F5"};

TEST(HelpText, FreeTableListsTheReadmesControlsAndNoPlayModeKeys)
{
    const auto readme = ReadmeControls();
    ASSERT_GE(readme.size(), 8u) << "the README's Controls table was not found";
    const std::vector<HelpLine> lines = HelpLines(0);
    for (const auto& [keys, effect] : readme) {
        bool found = false;
        for (const HelpLine& l : lines)
            if (keys == l.keys) {
                found = true;
                EXPECT_EQ(effect, l.effect) << keys;
            }
        EXPECT_TRUE(found) << keys;
    }
    for (const char* keys : PlayOnlyKeys)
        EXPECT_FALSE(Lists(lines, keys)) << keys;
    for (const char* keys : EveryModeKeys)
        EXPECT_TRUE(Lists(lines, keys)) << keys;
    // Escape quits the free table at once; M opens the menu.
    EXPECT_TRUE(Lists(lines, "Escape, or closing the window"));
    EXPECT_TRUE(Lists(lines, "M"));
    // Modes the game does not know fall back to the free table.
    EXPECT_EQ(HelpText(-1), HelpText(0));
    EXPECT_EQ(HelpText(9), HelpText(0));
}

TEST(HelpText, PlayModesAddTheirKeysEachOnceAndRulesModesGiveBallInHandAfterAFoul)
{
    for (int mode = 1; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        const std::vector<HelpLine> lines = HelpLines(mode);
        for (const char* keys : PlayOnlyKeys)
            EXPECT_TRUE(Lists(lines, keys)) << keys;
        for (const char* keys : EveryModeKeys)
            EXPECT_TRUE(Lists(lines, keys)) << keys;
        // Escape opens the menu in a game: no key quits at once.
        EXPECT_TRUE(Lists(lines, "M, or Escape"));
        EXPECT_FALSE(Lists(lines, "Escape, or closing the window"));
        std::set<std::string> seen;
        for (const HelpLine& l : lines) {
            EXPECT_TRUE(seen.insert(l.keys).second) << "listed twice: " << l.keys;
            if (std::strcmp(l.keys, "Mouse, then left click") == 0) {
                EXPECT_EQ(std::strstr(l.effect, "foul") != nullptr, mode != 1) << l.effect;
            }
        }
    }
    EXPECT_NE(HelpText(2)[0], HelpText(3)[0]); // titled by mode
}

TEST(HelpText, EveryLineIsAsciiFitsTheOverlayAndTheEffectsLineUp)
{
    for (int mode = 0; mode <= 3; ++mode) {
        const std::vector<std::string> text = HelpText(mode);
        const std::vector<HelpLine> lines = HelpLines(mode);
        ASSERT_EQ(text.size(), lines.size() + 1);
        for (const std::string& t : text) {
            for (unsigned char c : t)
                ASSERT_TRUE(c >= 32 && c < 127) << "not printable ASCII: " << t;
            EXPECT_LE(t.size(), static_cast<size_t>(HelpTextWidth)) << t;
        }
        size_t column = std::string::npos;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& t = text[i + 1];
            const size_t col = t.rfind(lines[i].effect);
            ASSERT_NE(col, std::string::npos) << t;
            if (column == std::string::npos)
                column = col;
            EXPECT_EQ(col, column) << t;
        }
    }
}

} // namespace
