// Feeds arbitrary bytes to ReadRtf and checks what must hold for any input:
// well-formed runs, no more characters out than bytes in, a repeatable
// result, and that the same bytes used as a person's name survive the
// result page's escape-build-read path unchanged.
#include "MakeRtf.h"
#include "RtfReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "broken invariant: %s\n", what);
        std::abort();
    }
}

// Number of code points of valid UTF-8, or SIZE_MAX when it is not valid.
std::size_t countUtf8(std::string_view s)
{
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        unsigned lo = 0x80, hi = 0xBF;
        if (b < 0x80) {
            n = 0;
        } else if (b >= 0xC2 && b <= 0xDF) {
            n = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            n = 2;
            lo = b == 0xE0 ? 0xA0 : 0x80;
            hi = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            n = 3;
            lo = b == 0xF0 ? 0x90 : 0x80;
            hi = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            return SIZE_MAX;
        }
        for (std::size_t k = 1; k <= n; ++k) {
            if (i + k >= s.size())
                return SIZE_MAX;
            const auto c = static_cast<unsigned char>(s[i + k]);
            if (c < lo || c > hi)
                return SIZE_MAX;
            lo = 0x80;
            hi = 0xBF;
        }
        i += n + 1;
        ++count;
    }
    return count;
}

bool sameFormat(const tellumo::RtfRun& a, const tellumo::RtfRun& b)
{
    return a.colour == b.colour && a.halfPoints == b.halfPoints && a.bold == b.bold;
}

// Text a name field can hold: valid UTF-8 without control characters.
bool isPlainText(std::string_view s)
{
    if (countUtf8(s) == SIZE_MAX)
        return false;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t') || b == 0x7F)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<tellumo::RtfRun> runs = tellumo::ReadRtf(input);

    std::size_t codePoints = 0;
    std::size_t bytes = 0;
    std::size_t newlines = 0;
    std::size_t replacements = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const tellumo::RtfRun& run = runs[i];
        require(!run.text.empty(), "no empty runs");
        const std::size_t n = countUtf8(run.text);
        require(n != SIZE_MAX, "run text is valid UTF-8");
        require(run.halfPoints >= 0 && run.halfPoints <= tellumo::RtfMaxHalfPoints,
                "font size within range");
        require(i == 0 || !sameFormat(runs[i - 1], run), "equal neighbours are merged");
        codePoints += n;
        bytes += run.text.size();
        for (std::size_t at = run.text.find('\n'); at != std::string::npos;
             at = run.text.find('\n', at + 1))
            ++newlines;
        for (std::size_t at = run.text.find("\xEF\xBF\xBD"); at != std::string::npos;
             at = run.text.find("\xEF\xBF\xBD", at + 3))
            ++replacements;
    }
    require(codePoints <= size, "no more characters out than bytes in");
    require(bytes <= size + newlines + 2 * replacements, "text no longer than its source");
    require(tellumo::ReadRtf(input) == runs, "same input, same runs");

    if (isPlainText(input)) {
        const std::string sentence = " さんの総合点数は100点満点で57点です。";
        const std::string document = tellumo::MakeRtf(tellumo::EscapeRtfText(input), {.withHeader = true, .colourIndex = 2})
            + tellumo::MakeRtf(sentence, {.closeAll = true});
        std::vector<tellumo::RtfRun> expected;
        if (!input.empty())
            expected.push_back({std::string(input), tellumo::RtfColour{0, 0, 255}, 0, false});
        expected.push_back({sentence, std::nullopt, 0, false});
        require(tellumo::ReadRtf(document) == expected, "escaped name reads back unchanged");
    }
    return 0;
}
