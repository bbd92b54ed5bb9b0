#include "MakeRtf.h"

#include <gtest/gtest.h>

#include <string>

namespace tellumo {
namespace {

// What the colour table means is read back by the reader's tests and the
// score line's; here it only opens the document.
const std::string Header(RtfHeader);

TEST(MakeRtf, BuildsFragments)
{

    const struct {
        std::string text;
        std::int16_t withHeader, startPar, closeAll;
        std::int32_t colour;
        std::uint8_t size;
        std::int16_t bold;
        std::string expected;
    } rows[] = {
        {"ABC", 0, 0, 0, 0, 0, 0, "{ABC}"},
        {"x", -1, -1, -1, 5, 28, -1, Header + "\\Par \\FS28 \\b \\CF5 x}}"},
        {"x", 1, 2, 3, 0, 0, 4, Header + "\\Par \\b x}}"}, // any non-zero flag is true
        {"x", 0, 0, 0, 9, 0, 0, "{x}"},                   // colours outside 1..8 are left out
        {"x", 0, 0, 0, -1, 0, 0, "{x}"},
        {"x", 0, 0, 0, 8, 0, 0, "{\\CF8 x}"},
        {"x", 0, 0, 0, 1, 255, 0, "{\\FS255 \\CF1 x}"},
        {"", 0, 0, 0, 0, 0, 0, "{}"},
        {"a}b{\\CF5 x\\", 0, 0, 0, 0, 0, 0, "{a}b{\\CF5 x\\}"}, // text goes in unchanged
    };
    for (const auto& r : rows)
        EXPECT_EQ(MakeRtf(r.text, r.withHeader, r.startPar, r.closeAll, r.colour, r.size, r.bold), r.expected);

    // The score line: the name in blue, then the sentence closing the document.
    EXPECT_EQ(MakeRtf("ABC", {.withHeader = true, .colourIndex = 2})
                  + MakeRtf(" さんの総合点数は100点満点で57点です。", {.closeAll = true}),
              Header + "\\CF2 ABC}{ さんの総合点数は100点満点で57点です。}}");
}

TEST(EscapeRtfText, EscapesBracesAndBackslashesOnly)
{
    EXPECT_EQ(EscapeRtfText("John Smith"), "John Smith");
    EXPECT_EQ(EscapeRtfText("山田{太郎}"), "山田\\{太郎\\}");
    EXPECT_EQ(EscapeRtfText("\\CF5 a\\\\b"), "\\\\CF5 a\\\\\\\\b");
}

} // namespace
} // namespace tellumo
