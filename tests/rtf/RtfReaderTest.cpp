#include "MakeRtf.h"
#include "RtfReader.h"
#include "RtfTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tellumo {
namespace {

using namespace rtftest;

const std::string kSentence57 = " さんの総合点数は100点満点で57点です。";

std::string scoreLine(std::string_view escapedName, std::string_view sentence)
{
    return MakeRtf(escapedName, -1, 0, 0, 2, 0, 0) + MakeRtf(sentence, 0, 0, -1, 0, 0, 0);
}

std::string repeat(std::string_view piece, std::size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

TEST(ReadRtf, ScoreLineShowsNameInBlueThenSentence)
{
    const std::vector<RtfRun> runs = ReadRtf(scoreLine("ABC", kSentence57));
    EXPECT_EQ(runs, (std::vector<RtfRun>{coloured("ABC", kBlue), plain(kSentence57)}));
}

// Every colour word of the builder gives the colour whose index follows from
// its components: 1 + 4·(red is 255) + 2·(green is 255) + (blue is 255).
class HeaderColour : public ::testing::TestWithParam<int> {};

TEST_P(HeaderColour, MatchesIndexFormula)
{
    const int index = GetParam();
    const int bits = index - 1;
    const RtfColour expected{static_cast<std::uint8_t>(bits & 4 ? 255 : 0),
                             static_cast<std::uint8_t>(bits & 2 ? 255 : 0),
                             static_cast<std::uint8_t>(bits & 1 ? 255 : 0)};
    const std::string document = MakeRtf("x", -1, 0, -1, index, 0, 0);
    EXPECT_EQ(ReadRtf(document), (std::vector<RtfRun>{coloured("x", expected)}));
}

INSTANTIATE_TEST_SUITE_P(Indices, HeaderColour, ::testing::Range(1, 9));

struct ReadCase {
    const char* name;
    std::string document;
    std::vector<RtfRun> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, Reads)
{
    const std::vector<RtfRun> runs = ReadRtf(GetParam().document);
    EXPECT_EQ(runs, GetParam().expected);
    expectWellFormed(runs);
}

const std::string kHeader(RtfHeader);

RtfRun boldSized(std::string text, int halfPoints, std::optional<RtfColour> colour)
{
    return RtfRun{std::move(text), colour, halfPoints, true};
}

INSTANTIATE_TEST_SUITE_P(
    Formatting, ReadTable,
    ::testing::Values(
        ReadCase{"AllBuilderWords", MakeRtf("x", -1, -1, -1, 5, 28, -1),
                 {plain("\n"), boldSized("x", 28, RtfColour{255, 0, 0})}},
        ReadCase{"LowerCaseWords", kHeader + "\\par\\fs28\\b\\cf2 x}}",
                 {plain("\n"), boldSized("x", 28, kBlue)}},
        ReadCase{"MixedCaseWords", kHeader + "\\PAR\\Fs28\\B\\cF2 x}}",
                 {plain("\n"), boldSized("x", 28, kBlue)}},
        ReadCase{"BoldZeroEndsBold", "{\\b a\\b0 b}", {bold("a"), plain("b")}},
        ReadCase{"GroupRestoresFormat", "{a{\\b b}c}", {plain("a"), bold("b"), plain("c")}},
        ReadCase{"EqualRunsMerge", "{a}{b}{\\b0 c}", {plain("abc")}},
        ReadCase{"ParagraphIsNewline", "{a\\par b\\Par c}", {plain("a\nb\nc")}},
        ReadCase{"BackslashNewlineIsParagraph", "a\\\nb", {plain("a\nb")}},
        ReadCase{"OnlyOneSpaceIsDelimiter", "{\\b  x}", {bold(" x")}},
        ReadCase{"DigitsEndAtLetter", "{\\fs28x}", {sized("x", 28)}},
        ReadCase{"MinusWithoutDigitIsText", "{\\b-x}", {bold("-x")}},
        ReadCase{"NegativeSizeIsDefault", "{\\fs28 a{\\fs-5 b}}", {sized("a", 28), plain("b")}},
        ReadCase{"SizeWithoutValueIsDefault", "{\\fs28 a\\fs b}", {sized("a", 28), plain("b")}},
        ReadCase{"PlainResets", kHeader + "\\b\\fs30\\cf3 a\\plain b}}",
                 {boldSized("a", 30, RtfColour{0, 255, 0}), plain("b")}},
        ReadCase{"EscapedSymbols", "{\\\\ \\{ \\}}", {plain("\\ { }")}},
        ReadCase{"OtherSymbolsSkipped", "{a\\~b\\-c\\_d\\|e}", {plain("abcde")}},
        ReadCase{"HexAscii", "{\\'41\\'7a}", {plain("Az")}},
        ReadCase{"HexHighByteSkipped", "{a\\'e9b}", {plain("ab")}},
        ReadCase{"HexControlSkipped", "{a\\'0ab\\'00c}", {plain("abc")}},
        ReadCase{"HexTooShort", "{a\\'4g}", {plain("ag")}},
        ReadCase{"LineBreaksIgnored", "{a\r\nb\nc\rd}", {plain("abcd")}},
        ReadCase{"TabKept", "{a\tb}", {plain("a\tb")}},
        ReadCase{"ControlCharactersDropped", std::string("{a\x01\x00\x7f" "b}", 7), {plain("ab")}},
        ReadCase{"UnknownWordsSkipped", "{\\rtf1\\ansi\\deff0 x\\qc\\lang1041 y}", {plain("xy")}},
        ReadCase{"OverlongWordUnknown", "{\\" + repeat("p", 40) + "ar x}", {plain("x")}},
        ReadCase{"StarDestinationSkipped", "{\\*\\generator Writer {nested};}x", {plain("x")}},
        ReadCase{"FontTableSkipped", "{{\\fonttbl{\\f0 Arial;}}x}", {plain("x")}},
        ReadCase{"StylesheetSkipped", "{{\\stylesheet{\\s0 Normal;}}x}", {plain("x")}},
        ReadCase{"InfoSkipped", "{{\\info{\\title t}{\\author a}}x}", {plain("x")}},
        ReadCase{"BinaryDataSkipped", "{\\bin4 {}\\ax}", {plain("x")}},
        ReadCase{"ColourOutOfTable", kHeader + "\\cf9 a\\cf-1 b\\cf0 c}}", {plain("abc")}},
        ReadCase{"ColourWithoutTable", "{\\cf2 x}", {plain("x")}},
        ReadCase{"TableEntryWithoutSemicolon", "{{\\colortbl;\\red1\\green2\\blue3}\\cf1 x}",
                 {coloured("x", RtfColour{1, 2, 3})}},
        ReadCase{"ComponentsClamped", "{{\\colortbl;\\red300\\green-5\\blue7;}\\cf1 x}",
                 {coloured("x", RtfColour{255, 0, 7})}},
        ReadCase{"ColourZeroIsAlwaysDefault", "{{\\colortbl\\red9;\\red1;}\\cf0 a\\cf1 b}",
                 {plain("a"), coloured("b", RtfColour{1, 0, 0})}},
        ReadCase{"EmptyEntryIsDefault", "{{\\colortbl;;\\red9;}\\cf1 a\\cf2 b}",
                 {plain("a"), coloured("b", RtfColour{9, 0, 0})}},
        ReadCase{"Utf8PassesThrough", "{日本語 😀 ÿ}", {plain("日本語 😀 ÿ")}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    InvalidUtf8, ReadTable,
    ::testing::Values(
        ReadCase{"StrayLeadByte", "a\xff" "b", {plain("a" + kReplacement + "b")}},
        ReadCase{"StrayContinuation", "a\x80\x80" "b", {plain("a" + kReplacement + kReplacement + "b")}},
        ReadCase{"TruncatedAtEnd", "a\xe3\x81", {plain("a" + kReplacement)}},
        ReadCase{"TruncatedBeforeText", "\xe3\x81" "b", {plain(kReplacement + "b")}},
        ReadCase{"SplitByMarkup", "\xe3{\\b\x81\x82}", {plain(kReplacement), bold(kReplacement + kReplacement)}},
        ReadCase{"Overlong", "\xc0\xaf", {plain(kReplacement + kReplacement)}},
        ReadCase{"Surrogate", "\xed\xa0\x80", {plain(kReplacement + kReplacement + kReplacement)}},
        ReadCase{"BeyondMaximum", "\xf4\x90\x80\x80", {plain(repeat(kReplacement, 4))}},
        ReadCase{"NonAsciiSymbol", "a\\あb", {plain("ab")}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Hostile, ReadTable,
    ::testing::Values(
        ReadCase{"Empty", "", {}},
        ReadCase{"ExtraClosingBraces", "}}}x{{", {plain("x")}},
        ReadCase{"ExtraCloseKeepsOuterFormat", "{\\b x}}}y", {bold("x"), plain("y")}},
        ReadCase{"MissingCloseAtEnd", "{{{\\b x", {bold("x")}},
        ReadCase{"LoneBackslashAtEnd", "{x\\", {plain("x")}},
        ReadCase{"OnlyBackslash", "\\", {}},
        ReadCase{"HexAtEnd", "x\\'", {plain("x")}},
        ReadCase{"HexOneDigitAtEnd", "x\\'4", {plain("x")}},
        ReadCase{"HugeColour", kHeader + "\\cf99999999999999999999 x}}", {plain("x")}},
        ReadCase{"HugeNegativeColour", kHeader + "\\cf-99999999999999999999 x}}", {plain("x")}},
        ReadCase{"HugeSize", "{\\fs99999999999999999999 x}", {sized("x", RtfMaxHalfPoints)}},
        ReadCase{"HugeBold", "{\\b99999999999999999999 x}", {bold("x")}},
        ReadCase{"HugeBinary", "{a\\bin99999999999999999999 {}}}", {plain("a")}},
        ReadCase{"HugeComponent", "{{\\colortbl;\\red99999999999999999999;}\\cf1 x}",
                 {coloured("x", RtfColour{255, 0, 0})}},
        ReadCase{"DestinationAtTopLevelIgnored", "\\fonttbl x", {plain("x")}},
        ReadCase{"UnclosedDestination", "a{\\*\\foo b", {plain("a")}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// The result page escapes the name and builds the line; reading it back must
// give the name exactly, in blue, followed by the sentence.
struct NameCase {
    const char* name;
    std::string text;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class NameRoundTrip : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameRoundTrip, NameComesBackInBlue)
{
    const std::string& name = GetParam().text;
    const std::vector<RtfRun> runs = ReadRtf(scoreLine(EscapeRtfText(name), kSentence57));
    EXPECT_EQ(runs, (std::vector<RtfRun>{coloured(name, kBlue), plain(kSentence57)}));
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameRoundTrip,
    ::testing::Values(NameCase{"Ascii", "ABC"}, NameCase{"InnerSpace", "John Smith"},
                      NameCase{"OuterSpaces", " spaced  out "},
                      NameCase{"MarkupLike", "a}b{\\CF5 x"}, NameCase{"Braces", "{}"},
                      NameCase{"LoneClose", "}"}, NameCase{"LoneBackslash", "\\"},
                      NameCase{"TrailingBackslash", "C:\\dir\\"}, NameCase{"HexLike", "\\'41"},
                      NameCase{"ParLike", "\\par"}, NameCase{"DestinationLike", "{\\*\\fonttbl}"},
                      NameCase{"Digits", "1234"}, NameCase{"Minus", "-5"},
                      NameCase{"Semicolon", "a;b"}, NameCase{"Tab", "a\tb"},
                      NameCase{"Japanese", "山田 太郎"}, NameCase{"HalfAndFullWidth", "ｶﾀｶﾅ・ＡＢＣ"},
                      NameCase{"Emoji", "😀🦟"}, NameCase{"JapaneseWithMarkup", "蚊\\{刺}"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

// A document cut anywhere reads as a prefix of the whole document's reading,
// character by character with the same formatting; only a UTF-8 character
// cut in half may turn into U+FFFD at the very end.
TEST(ReadRtfHostile, EveryPrefixReadsAsPrefix)
{
    const std::string document = MakeRtf("ab\\{c", -1, 0, 0, 2, 0, 0)
        + MakeRtf("日本\\'41", 0, -1, 0, 0, 28, -1) + MakeRtf("😀z", 0, 0, -1, 7, 0, 0);

    struct Cell {
        char byte;
        std::optional<RtfColour> colour;
        int halfPoints;
        bool bold;
        bool operator==(const Cell&) const = default;
    };
    const auto cells = [](const std::vector<RtfRun>& runs) {
        std::vector<Cell> out;
        for (const RtfRun& r : runs)
            for (char c : r.text)
                out.push_back({c, r.colour, r.halfPoints, r.bold});
        return out;
    };
    const std::vector<Cell> whole = cells(ReadRtf(document));
    ASSERT_EQ(joinedText(ReadRtf(document)), "ab{c\n日本A😀z");

    for (std::size_t length = 0; length <= document.size(); ++length) {
        SCOPED_TRACE(::testing::Message() << "prefix length " << length);
        const std::vector<RtfRun> runs = ReadRtf(std::string_view(document).substr(0, length));
        expectWellFormed(runs);
        std::vector<Cell> part = cells(runs);
        if (part.size() >= 3 && std::string{part[part.size() - 3].byte, part[part.size() - 2].byte,
                                            part.back().byte} == kReplacement)
            part.resize(part.size() - 3);
        ASSERT_LE(part.size(), whole.size());
        EXPECT_TRUE(std::equal(part.begin(), part.end(), whole.begin()));
    }
}

TEST(ReadRtfHostile, DeepNestingIsBoundedAndBalanced)
{
    const std::size_t depth = 100000;
    const std::string document = repeat("{", depth) + "\\b x" + repeat("}", depth) + "y";
    EXPECT_EQ(ReadRtf(document), (std::vector<RtfRun>{bold("x"), plain("y")}));
}

TEST(ReadRtfHostile, GroupsBeyondDepthLimitAreFlat)
{
    // At the limit a group still keeps its format to itself.
    const std::string atLimit = repeat("{", RtfMaxGroupDepth) + "{\\b x}y" + repeat("}", RtfMaxGroupDepth);
    const std::string beyond = repeat("{", RtfMaxGroupDepth + 1) + "{\\b x}y" + repeat("}", RtfMaxGroupDepth + 1);
    EXPECT_EQ(ReadRtf(std::string_view(atLimit).substr(1)), (std::vector<RtfRun>{bold("x"), plain("y")}));
    EXPECT_EQ(ReadRtf(beyond), (std::vector<RtfRun>{bold("xy")}));
    // Leaving the flat groups still restores the formats outside them.
    EXPECT_EQ(ReadRtf(beyond + "z"), (std::vector<RtfRun>{bold("xy"), plain("z")}));
}

TEST(ReadRtfHostile, LargeDocumentsReadInOnePass)
{
    const std::size_t pieces = 200000;
    const std::vector<RtfRun> runs = ReadRtf(repeat("{\\b\\cf2 a}{b}", pieces));
    ASSERT_EQ(runs.size(), 2 * pieces);
    EXPECT_EQ(runs.front(), bold("a"));
    EXPECT_EQ(runs.back(), plain("b"));

    EXPECT_TRUE(ReadRtf(repeat("{\\*", pieces) + "x").empty());
    EXPECT_TRUE(ReadRtf(repeat("\\'4", pieces)).empty());
    EXPECT_EQ(joinedText(ReadRtf(repeat("\\" + repeat("q", 100), pieces / 10) + " x")), "x");
}

} // namespace
} // namespace tellumo
