// Helpers shared by the rich-text tests: readable failure output for runs
// and the checks every result of ReadRtf must pass.
#pragma once

#include "RtfReader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tellumo {

inline void PrintTo(const RtfRun& run, std::ostream* os)
{
    *os << "{\"" << run.text << "\"";
    if (run.colour)
        *os << " rgb(" << int(run.colour->red) << ',' << int(run.colour->green) << ','
            << int(run.colour->blue) << ')';
    if (run.halfPoints != 0)
        *os << " fs" << run.halfPoints;
    if (run.bold)
        *os << " bold";
    *os << '}';
}

namespace rtftest {

inline constexpr RtfColour kBlue{0, 0, 255};
inline const std::string kReplacement = "\xEF\xBF\xBD";

inline RtfRun plain(std::string text) { return RtfRun{std::move(text), std::nullopt, 0, false}; }
inline RtfRun coloured(std::string text, RtfColour c) { return RtfRun{std::move(text), c, 0, false}; }
inline RtfRun bold(std::string text) { return RtfRun{std::move(text), std::nullopt, 0, true}; }
inline RtfRun sized(std::string text, int halfPoints)
{
    return RtfRun{std::move(text), std::nullopt, halfPoints, false};
}

inline std::string joinedText(const std::vector<RtfRun>& runs)
{
    std::string all;
    for (const RtfRun& r : runs)
        all += r.text;
    return all;
}

// Strict UTF-8 check: no overlong forms, surrogates or values past U+10FFFF.
inline bool isValidUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        unsigned lo = 0x80, hi = 0xBF;
        if (b < 0x80) { ++i; continue; }
        if (b >= 0xC2 && b <= 0xDF) n = 1;
        else if (b >= 0xE0 && b <= 0xEF) { n = 2; if (b == 0xE0) lo = 0xA0; if (b == 0xED) hi = 0x9F; }
        else if (b >= 0xF0 && b <= 0xF4) { n = 3; if (b == 0xF0) lo = 0x90; if (b == 0xF4) hi = 0x8F; }
        else return false;
        for (std::size_t k = 1; k <= n; ++k) {
            if (i + k >= s.size()) return false;
            const auto c = static_cast<unsigned char>(s[i + k]);
            if (c < lo || c > hi) return false;
            lo = 0x80; hi = 0xBF;
        }
        i += n + 1;
    }
    return true;
}

// What holds for every result: valid UTF-8, no empty runs, no two
// neighbours that should have been merged, sizes in range.
inline void expectWellFormed(const std::vector<RtfRun>& runs)
{
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_FALSE(runs[i].text.empty()) << "run " << i;
        EXPECT_TRUE(isValidUtf8(runs[i].text)) << "run " << i;
        EXPECT_GE(runs[i].halfPoints, 0);
        EXPECT_LE(runs[i].halfPoints, RtfMaxHalfPoints);
        if (i > 0) {
            const RtfRun& a = runs[i - 1];
            const RtfRun& b = runs[i];
            EXPECT_FALSE(a.colour == b.colour && a.halfPoints == b.halfPoints && a.bold == b.bold)
                << "runs " << i - 1 << " and " << i << " were not merged";
        }
    }
}

} // namespace rtftest
} // namespace tellumo
