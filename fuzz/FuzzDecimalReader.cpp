// Feeds arbitrary bytes to ReadDecimal: it must not crash, a value it
// returns is finite, and ASCII spaces around the text change nothing.
#include "PersonalPoints.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "broken invariant: %s\n", what);
        std::abort();
    }
}

bool sameReading(const std::optional<double>& a, const std::optional<double>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || (*a == *b && std::signbit(*a) == std::signbit(*b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = tellumo::ReadDecimal(text);
    if (value)
        require(std::isfinite(*value), "a value read is finite");

    const std::string padded = " " + std::string(text) + " ";
    require(sameReading(value, tellumo::ReadDecimal(padded)), "surrounding spaces change nothing");
    const std::string leading = "   " + std::string(text);
    require(sameReading(value, tellumo::ReadDecimal(leading)), "leading spaces change nothing");
    return 0;
}
