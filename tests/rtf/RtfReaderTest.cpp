#include "MakeRtf.h"
#include "RtfReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace tellumo {

void PrintTo(const RtfRun& run, std::ostream* os)
{
    *os << "{\"" << run.text << "\"";
    if (run.colour)
        *os << " rgb(" << int(run.colour->red) << ',' << int(run.colour->green) << ',' << int(run.colour->blue) << ')';
    *os << " fs" << run.halfPoints << (run.bold ? " bold}" : "}");
}

namespace {

using Runs = std::vector<RtfRun>;
constexpr RtfColour Blue{0, 0, 255}, Red{255, 0, 0};
const std::string Header(RtfHeader);
const std::string Bad = "\xEF\xBF\xBD"; // U+FFFD
const std::string Sentence = " さんの総合点数は100点満点で57点です。";

RtfRun plain(std::string text) { return {std::move(text), std::nullopt, 0, false}; }
RtfRun bold(std::string text) { return {std::move(text), std::nullopt, 0, true}; }
RtfRun sized(std::string text, int halfPoints) { return {std::move(text), std::nullopt, halfPoints, false}; }
RtfRun coloured(std::string text, RtfColour c, int halfPoints = 0, bool isBold = false)
{
    return {std::move(text), c, halfPoints, isBold};
}

std::string repeat(std::string_view piece, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// Strict UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool isValidUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        unsigned lo = 0x80, hi = 0xBF;
        const std::size_t n = b < 0x80 ? 0 : b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : 9;
        if (n == 9)
            return false;
        lo = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : lo;
        hi = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : hi;
        for (std::size_t k = 1; k <= n; ++k, lo = 0x80, hi = 0xBF) {
            const auto c = i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0u;
            if (c < lo || c > hi)
                return false;
        }
        i += n + 1;
    }
    return true;
}

// What holds for every result: valid UTF-8, no empty runs, sizes in range,
// and no two neighbours with equal formatting.
void expectWellFormed(const Runs& runs)
{
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_FALSE(runs[i].text.empty()) << "run " << i;
        EXPECT_TRUE(isValidUtf8(runs[i].text)) << "run " << i;
        EXPECT_TRUE(runs[i].halfPoints >= 0 && runs[i].halfPoints <= RtfMaxHalfPoints);
        if (i > 0) {
            EXPECT_FALSE(runs[i - 1].colour == runs[i].colour && runs[i - 1].halfPoints == runs[i].halfPoints
                         && runs[i - 1].bold == runs[i].bold)
                << "runs " << i - 1 << " and " << i << " were not merged";
        }
    }
}

std::string scoreLine(std::string_view escapedName)
{
    return MakeRtf(escapedName, {.withHeader = true, .colourIndex = 2}) + MakeRtf(Sentence, {.closeAll = true});
}

TEST(ReadRtf, Reads)
{
    const std::string huge = "99999999999999999999";
    const struct {
        const char* name;
        std::string document;
        Runs expected;
    } rows[] = {
        // What the builder writes
        {"score line", scoreLine("ABC"), {coloured("ABC", Blue), plain(Sentence)}},
        {"all builder words", MakeRtf("x", -1, -1, -1, 5, 28, -1), {plain("\n"), coloured("x", Red, 28, true)}},
        {"any letter case", Header + "\\PAR\\fs28\\B\\cF2 x}}", {plain("\n"), coloured("x", Blue, 28, true)}},
        // Character formatting and groups
        {"bold zero ends bold", "{\\b a\\b0 b}", {bold("a"), plain("b")}},
        {"group restores format", "{a{\\b b}c}", {plain("a"), bold("b"), plain("c")}},
        {"equal runs merge", "{a}{b}{\\b0 c}", {plain("abc")}},
        {"plain resets", Header + "\\b\\fs30\\cf3 a\\plain b}}", {coloured("a", {0, 255, 0}, 30, true), plain("b")}},
        {"one space ends a word", "{\\b  x}", {bold(" x")}},
        {"digits end at a letter", "{\\fs28x}", {sized("x", 28)}},
        {"negative size is default", "{\\fs28 a{\\fs-5 b}}", {sized("a", 28), plain("b")}},
        {"minus without digit is text", "{\\b-x}", {bold("-x")}},
        // Symbols and characters
        {"escaped symbols", "{\\\\ \\{ \\}}", {plain("\\ { }")}},
        {"other symbols skipped", "{a\\~b\\-c\\|d\\あe}", {plain("abcde")}},
        {"hex: ASCII kept, high and control bytes skipped", "{\\'41\\'e9\\'0a\\'4g}", {plain("Ag")}},
        {"line breaks ignored, tab kept", "{a\r\nb\tc}", {plain("ab\tc")}},
        {"control characters dropped", std::string("{a\x01\x00\x7f" "b}", 7), {plain("ab")}},
        {"UTF-8 passes through", "{日本語 😀 ÿ}", {plain("日本語 😀 ÿ")}},
        // Skipped words and destinations
        {"unknown words", "{\\rtf1\\ansi\\deff0 x\\lang1041 y\\" + repeat("p", 40) + "ar z}", {plain("xyz")}},
        {"destinations", "{\\*\\gen W {n};}{{\\fonttbl{\\f0 A;}}{\\info{\\title t}}x}", {plain("x")}},
        {"binary data", "{\\bin4 {}\\ax}", {plain("x")}},
        // Colour table
        {"colour outside the table", Header + "\\cf9 a\\cf-1 b\\cf0 c}}", {plain("abc")}},
        {"colour without a table", "{\\cf2 x}", {plain("x")}},
        {"components clamped", "{{\\colortbl;\\red300\\green-5\\blue7}\\cf1 x}", {coloured("x", {255, 0, 7})}},
        {"entry 0 and empty entries are default", "{{\\colortbl\\red9;;\\red1;}\\cf0 a\\cf1 b\\cf2 c}",
         {plain("ab"), coloured("c", {1, 0, 0})}},
        // Invalid UTF-8: one U+FFFD per maximal ill-formed piece
        {"stray bytes", "a\xff\x80" "b", {plain("a" + Bad + Bad + "b")}},
        {"truncated sequence", "\xe3\x81" "b\xe3\x81", {plain(Bad + "b" + Bad)}},
        {"split by markup", "\xe3{\\b\x81\x82}", {plain(Bad), bold(Bad + Bad)}},
        {"overlong, surrogate", "\xc0\xaf\xed\xa0\x80", {plain(repeat(Bad, 5))}},
        // Hostile documents
        {"empty", "", {}},
        {"unbalanced closing", "}}}x{\\b y}}}z{{", {plain("x"), bold("y"), plain("z")}},
        {"unclosed at the end", "{{{\\b x", {bold("x")}},
        {"cut in a word or hex", "{x\\'4", {plain("x")}},
        {"lone backslash", "\\", {}},
        {"huge colours", Header + "\\cf" + huge + " x\\cf-" + huge + " y}}", {plain("xy")}},
        {"huge size", "{\\fs" + huge + " x}", {sized("x", RtfMaxHalfPoints)}},
        {"huge bold", "{\\b" + huge + " x}", {bold("x")}},
        {"huge binary", "{a\\bin" + huge + " {}}}", {plain("a")}},
        {"huge component", "{{\\colortbl;\\red" + huge + ";}\\cf1 x}", {coloured("x", Red)}},
        {"destination word at top level", "\\fonttbl x", {plain("x")}},
        {"unclosed destination", "a{\\*\\foo b", {plain("a")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Runs runs = ReadRtf(row.document);
        EXPECT_EQ(runs, row.expected);
        expectWellFormed(runs);
    }
}

// The result page escapes the name and builds the line; reading it back
// gives the name exactly, in blue, followed by the sentence.
TEST(ReadRtf, EscapedNamesComeBackUnchanged)
{
    for (const std::string name : {" spaced  out ", "a}b{\\CF5 x", "}", "C:\\dir\\", "\\'41", "\\par",
                                   "{\\*\\fonttbl}", "-5", "a\tb", "山田 太郎", "😀🦟", "蚊\\{刺}"})
        EXPECT_EQ(ReadRtf(scoreLine(EscapeRtfText(name))), (Runs{coloured(name, Blue), plain(Sentence)})) << name;
}

// A document cut anywhere reads as a prefix of the whole document's reading,
// character by character with the same formatting; only a UTF-8 character
// cut in half may turn into U+FFFD at the very end.
TEST(ReadRtfHostile, EveryPrefixReadsAsPrefix)
{
    const std::string document = MakeRtf("ab\\{c", -1, 0, 0, 2, 0, 0) + MakeRtf("日本\\'41", 0, -1, 0, 0, 28, -1)
        + MakeRtf("😀z", 0, 0, -1, 7, 0, 0);
    struct Cell {
        char byte;
        std::optional<RtfColour> colour;
        int halfPoints;
        bool bold;
        bool operator==(const Cell&) const = default;
    };
    const auto cells = [](const Runs& runs) {
        std::vector<Cell> out;
        for (const RtfRun& r : runs)
            for (char c : r.text)
                out.push_back({c, r.colour, r.halfPoints, r.bold});
        return out;
    };
    const std::vector<Cell> whole = cells(ReadRtf(document));
    std::string wholeText;
    for (const Cell& cell : whole)
        wholeText += cell.byte;
    ASSERT_EQ(wholeText, "ab{c\n日本A😀z");

    for (std::size_t length = 0; length <= document.size(); ++length) {
        SCOPED_TRACE(::testing::Message() << "prefix length " << length);
        const Runs runs = ReadRtf(std::string_view(document).substr(0, length));
        expectWellFormed(runs);
        std::vector<Cell> part = cells(runs);
        if (part.size() >= 3 && std::string{part[part.size() - 3].byte, part[part.size() - 2].byte, part.back().byte} == Bad)
            part.resize(part.size() - 3);
        ASSERT_LE(part.size(), whole.size());
        EXPECT_TRUE(std::equal(part.begin(), part.end(), whole.begin()));
    }
}

TEST(ReadRtfHostile, DeepNestingIsBoundedAndBalanced)
{
    EXPECT_EQ(ReadRtf(repeat("{", 100000) + "\\b x" + repeat("}", 100000) + "y"), (Runs{bold("x"), plain("y")}));
    // At the depth limit a group still keeps its format to itself; beyond it
    // groups are flat, and leaving them restores the formats outside.
    const std::string atLimit = repeat("{", RtfMaxGroupDepth - 1) + "{\\b x}y" + repeat("}", RtfMaxGroupDepth);
    const std::string beyond = repeat("{", RtfMaxGroupDepth + 1) + "{\\b x}y" + repeat("}", RtfMaxGroupDepth + 1);
    EXPECT_EQ(ReadRtf(atLimit), (Runs{bold("x"), plain("y")}));
    EXPECT_EQ(ReadRtf(beyond + "z"), (Runs{bold("xy"), plain("z")}));
}

TEST(ReadRtfHostile, LargeDocumentsReadInOnePass)
{
    const std::size_t pieces = 200000;
    const Runs runs = ReadRtf(repeat("{\\b\\cf2 a}{b}", pieces));
    ASSERT_EQ(runs.size(), 2 * pieces);
    EXPECT_EQ(runs.back(), plain("b"));
    EXPECT_TRUE(ReadRtf(repeat("{\\*", pieces) + "x").empty());
    EXPECT_TRUE(ReadRtf(repeat("\\'4", pieces)).empty());
    EXPECT_EQ(ReadRtf(repeat("\\" + repeat("q", 100), pieces / 10) + " x"), Runs{plain("x")});
}

} // namespace
} // namespace tellumo
