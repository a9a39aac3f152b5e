// The serial control's settings text: a text is refused or it round-trips.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "comm/LineSettings.h"
#include "ui/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text(data, data + size);
    comm::LineSettings parsed;
    try {
        parsed = comm::ParseLineSettings(text);
    } catch (const ui::Error&) {
        return 0;
    }
    if (parsed.speed <= 0 || parsed.dataBits < 5 || parsed.dataBits > 8) std::abort();
    if (parsed.stopBits != 1 && parsed.stopBits != 2) std::abort();
    if (!(comm::ParseLineSettings(comm::FormatLineSettings(parsed)) == parsed)) std::abort();
    return 0;
}
