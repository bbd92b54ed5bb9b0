// Reads the small rich-text documents that MakeRtf builds into styled runs,
// without any window code. The result page turns the runs into formatting.
//
// Understood: groups, \colortbl with \red \green \blue entries, \cfN, \fsN,
// \b (and \b0), \par, in any letter case; the escapes \\ \{ \}; UTF-8 text
// written directly. Other control words are skipped. Any input, however
// broken or truncated, yields a result without reading out of bounds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tellumo {

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

// Consecutive runs with the same formatting are merged.
std::vector<RtfRun> ReadRtf(std::string_view document);

} // namespace tellumo
