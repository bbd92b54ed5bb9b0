// Reads the small rich-text documents that MakeRtf builds into styled runs,
// without any window code. The result page turns the runs into formatting.
//
// Data flow: document text -> ReadRtf (groups, colour table, character
// formatting) -> runs of equal formatting -> the result page's text view.
//
// Understood: groups, \colortbl with \red \green \blue entries, \cfN, \fsN,
// \b (and \b0), \plain, \par, in any letter case; the escapes \\ \{ \} and
// \'hh for printable ASCII; \binN data is skipped. UTF-8 text written
// directly is kept. Destinations ({\*...}, \fonttbl, \stylesheet, \info and
// the like) are skipped with their whole group; other control words and
// symbols are ignored.
//
// Any input, however broken or truncated, yields a result in linear time
// without reading out of bounds:
// - an extra "}" is ignored, groups still open at the end are fine;
// - groups nested deeper than RtfMaxGroupDepth are read as if flat: their
//   formatting words change the innermost tracked group;
// - numeric parameters are clamped, \fsN to 0..RtfMaxHalfPoints (0 or a
//   negative value means the default size), \cfN outside the table means
//   the default colour;
// - invalid UTF-8 is replaced by U+FFFD (one per maximal ill-formed
//   subsequence), so the run text is always valid UTF-8;
// - CR and LF are ignored as in any RTF document, other control characters
//   are dropped except TAB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tellumo {

inline constexpr std::size_t RtfMaxGroupDepth = 256;
inline constexpr int RtfMaxHalfPoints = 3276;

struct RtfColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RtfColour&) const = default;
};

struct RtfRun {
    std::string text;                  // UTF-8; "\n" stands for a paragraph break
    std::optional<RtfColour> colour;   // none: the view's default colour
    int halfPoints = 0;                // font size in half-points; 0: default size
    bool bold = false;
    bool operator==(const RtfRun&) const = default;
};

// Consecutive runs with the same formatting are merged; no run is empty.
std::vector<RtfRun> ReadRtf(std::string_view document);

} // namespace tellumo
