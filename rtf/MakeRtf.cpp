#include "MakeRtf.h"

#include <string>

namespace tellumo {

namespace {

constexpr std::string_view kHeader =
    "{{{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue0;"
    "\\red0\\green255\\blue255;\\red255\\green0\\blue0;\\red255\\green0\\blue255;"
    "\\red255\\green255\\blue0;\\red255\\green255\\blue255;}";
static_assert(kHeader.size() == 190, "the colour-table header has a fixed length");

constexpr std::int32_t kFirstColour = 1;
constexpr std::int32_t kLastColour = 8;

} // namespace

const std::string_view RtfHeader = kHeader;

std::string MakeRtf(std::string_view FragmentText, std::int16_t WithHeader, std::int16_t StartPar,
                    std::int16_t CloseAll, std::int32_t ColourIndex, std::uint8_t SizeValue,
                    std::int16_t IsBold)
{
    std::string out;
    out.reserve(kHeader.size() + FragmentText.size() + 32);

    if (WithHeader != 0)
        out += kHeader;
    else
        out += '{';
    if (StartPar != 0)
        out += "\\Par ";
    if (SizeValue > 0) {
        out += "\\FS";
        out += std::to_string(static_cast<unsigned>(SizeValue));
        out += ' ';
    }
    if (IsBold != 0)
        out += "\\b ";
    if (ColourIndex >= kFirstColour && ColourIndex <= kLastColour) {
        out += "\\CF";
        out += static_cast<char>('0' + ColourIndex);
        out += ' ';
    }
    out += FragmentText;
    out += CloseAll != 0 ? "}}" : "}";
    return out;
}

std::string EscapeRtfText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : text) {
        if (c == '\\' || c == '{' || c == '}')
            out += '\\';
        out += c;
    }
    return out;
}

std::string MakeRtf(std::string_view FragmentText, const RtfFragment& fragment)
{
    const auto flag = [](bool on) { return static_cast<std::int16_t>(on ? -1 : 0); };
    return MakeRtf(FragmentText, flag(fragment.withHeader), flag(fragment.startPar), flag(fragment.closeAll),
                   fragment.colourIndex, fragment.sizeHalfPoints, flag(fragment.bold));
}

} // namespace tellumo
