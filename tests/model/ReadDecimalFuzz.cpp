// libFuzzer entry point for the typed-number reader. Build with
// -DTELLUMO_FUZZ=ON and clang, then run tellumo_read_decimal_fuzz.
#include "BodyMeasures.h"
#include "PersonalPoints.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = tellumo::ReadDecimal(text);
    if (!value)
        return 0;
    if (!std::isfinite(*value))
        std::abort();
    // What the program shows must read back as the same number.
    if (tellumo::ReadDecimal(tellumo::FormatMeasure(*value)) != *value)
        std::abort();
    return 0;
}
