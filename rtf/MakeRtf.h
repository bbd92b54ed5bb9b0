// Builds rich-text (RTF) fragments that join into one document: the first
// fragment opens with RtfHeader and its colour table, the last one closes
// with "}}". The susceptibility result page builds its score line this way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tellumo {

// Opens three groups (one is the colour table, which it closes again).
extern const std::string_view RtfHeader;

// Flags are 0 for false, anything else for true. ColourIndex 1..8 selects a
// colour of RtfHeader's table; SizeValue counts half-points, 0 for none.
// FragmentText is inserted unchanged: callers escape user text first.
std::string MakeRtf(std::string_view FragmentText, std::int16_t WithHeader, std::int16_t StartPar,
                    std::int16_t CloseAll, std::int32_t ColourIndex, std::uint8_t SizeValue,
                    std::int16_t IsBold);

// The same, with the flags named: a fragment's place in the document and
// its look.
struct RtfFragment {
    bool withHeader = false; // the first fragment: opens the document
    bool startPar = false;   // starts a new paragraph first
    bool closeAll = false;   // the last fragment: closes the document
    std::int32_t colourIndex = 0;
    std::uint8_t sizeHalfPoints = 0;
    bool bold = false;
};
std::string MakeRtf(std::string_view FragmentText, const RtfFragment& fragment);

// Escapes "\", "{" and "}" so that text shows literally inside a fragment.
std::string EscapeRtfText(std::string_view text);

} // namespace tellumo
