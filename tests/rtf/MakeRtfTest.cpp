#include "MakeRtf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tellumo {
namespace {

const std::string kHeaderText =
    "{{{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue0;"
    "\\red0\\green255\\blue255;\\red255\\green0\\blue0;\\red255\\green0\\blue255;"
    "\\red255\\green255\\blue0;\\red255\\green255\\blue255;}";

TEST(RtfHeader, IsTheFixedColourTable)
{
    EXPECT_EQ(RtfHeader.size(), 190u);
    EXPECT_EQ(RtfHeader, kHeaderText);
    // Three groups open, the colour table's closes: two stay open.
    EXPECT_EQ(std::count(RtfHeader.begin(), RtfHeader.end(), '{'), 3);
    EXPECT_EQ(std::count(RtfHeader.begin(), RtfHeader.end(), '}'), 1);
    EXPECT_EQ(RtfHeader.find_first_of(" \r\n"), std::string_view::npos);
}

struct MakeRtfCase {
    const char* name;
    std::string text;
    std::int16_t withHeader;
    std::int16_t startPar;
    std::int16_t closeAll;
    std::int32_t colour;
    std::uint8_t size;
    std::int16_t bold;
    std::string expected;
};

void PrintTo(const MakeRtfCase& c, std::ostream* os) { *os << c.name; }

class MakeRtfTable : public ::testing::TestWithParam<MakeRtfCase> {};

TEST_P(MakeRtfTable, BuildsFragment)
{
    const MakeRtfCase& c = GetParam();
    EXPECT_EQ(MakeRtf(c.text, c.withHeader, c.startPar, c.closeAll, c.colour, c.size, c.bold),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, MakeRtfTable,
    ::testing::Values(
        MakeRtfCase{"Plain", "ABC", 0, 0, 0, 0, 0, 0, "{ABC}"},
        MakeRtfCase{"EverythingOn", "x", -1, -1, -1, 5, 28, -1, kHeaderText + "\\Par \\FS28 \\b \\CF5 x}}"},
        MakeRtfCase{"AnyNonZeroFlagIsTrue", "x", 1, 2, 3, 0, 0, 4, kHeaderText + "\\Par \\b x}}"},
        MakeRtfCase{"HeaderWithoutClose", "x", -1, 0, 0, 0, 0, 0, kHeaderText + "x}"},
        MakeRtfCase{"ParagraphOnly", "x", 0, -1, 0, 0, 0, 0, "{\\Par x}"},
        MakeRtfCase{"BoldOnly", "x", 0, 0, 0, 0, 0, -1, "{\\b x}"},
        MakeRtfCase{"ColourZero", "x", 0, 0, 0, 0, 0, 0, "{x}"},
        MakeRtfCase{"ColourNine", "x", 0, 0, 0, 9, 0, 0, "{x}"},
        MakeRtfCase{"ColourMinusOne", "x", 0, 0, 0, -1, 0, 0, "{x}"},
        MakeRtfCase{"ColourInt32Min", "x", 0, 0, 0, INT32_MIN, 0, 0, "{x}"},
        MakeRtfCase{"ColourInt32Max", "x", 0, 0, 0, INT32_MAX, 0, 0, "{x}"},
        MakeRtfCase{"ColourOne", "x", 0, 0, 0, 1, 0, 0, "{\\CF1 x}"},
        MakeRtfCase{"ColourEight", "x", 0, 0, 0, 8, 0, 0, "{\\CF8 x}"},
        MakeRtfCase{"SizeOne", "x", 0, 0, 0, 0, 1, 0, "{\\FS1 x}"},
        MakeRtfCase{"Size255", "x", 0, 0, 0, 0, 255, 0, "{\\FS255 x}"},
        MakeRtfCase{"EmptyText", "", 0, 0, 0, 0, 0, 0, "{}"},
        MakeRtfCase{"EmptyTextWholeDocument", "", -1, 0, -1, 0, 0, 0, kHeaderText + "}}"},
        MakeRtfCase{"MarkupInTextUnchanged", "a}b{\\CF5 x\\", 0, 0, 0, 0, 0, 0, "{a}b{\\CF5 x\\}"},
        MakeRtfCase{"JapaneseUnchanged", "判定結果", 0, 0, 0, 3, 0, 0, "{\\CF3 判定結果}"}),
    [](const ::testing::TestParamInfo<MakeRtfCase>& info) { return std::string(info.param.name); });

TEST(MakeRtf, ScoreLineForAbcAnd57)
{
    const std::string first = MakeRtf("ABC", -1, 0, 0, 2, 0, 0);
    const std::string second = MakeRtf(" さんの総合点数は100点満点で57点です。", 0, 0, -1, 0, 0, 0);
    EXPECT_EQ(first, kHeaderText + "\\CF2 ABC}");
    EXPECT_EQ(second, "{ さんの総合点数は100点満点で57点です。}}");
    const std::string document = first + second;
    EXPECT_EQ(std::count(document.begin(), document.end(), '{'),
              std::count(document.begin(), document.end(), '}'));
}

struct EscapeCase {
    const char* name;
    std::string text;
    std::string expected;
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.name; }

class EscapeTable : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTable, Escapes)
{
    EXPECT_EQ(EscapeRtfText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, EscapeTable,
    ::testing::Values(EscapeCase{"Empty", "", ""},
                      EscapeCase{"NothingToEscape", "John Smith", "John Smith"},
                      EscapeCase{"Braces", "{x}", "\\{x\\}"},
                      EscapeCase{"Backslashes", "a\\\\b", "a\\\\\\\\b"},
                      EscapeCase{"LooksLikeAWord", "\\CF5 x", "\\\\CF5 x"},
                      EscapeCase{"Japanese", "山田{太郎}", "山田\\{太郎\\}"}),
    [](const ::testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tellumo
