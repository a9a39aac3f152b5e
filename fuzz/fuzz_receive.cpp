// Received bytes through the poll tick: rendering, the cut and the append.
// Whatever arrives, the pane never holds more than 4000 characters plus one
// tick's rendering, and every byte shows as 1, 4 or 5 characters.
#include <cstdint>
#include <cstdlib>

#include "console/ReceivedBytes.h"
#include "tests/support/HeadlessConsole.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testsupport::HeadlessConsole c;
    // The first byte picks the hex box and the tick's burst size.
    if (size == 0) return 0;
    c.form.CheckDisplay.setValue(data[0] & 1);
    const std::size_t burst = 1 + (data[0] >> 1);
    for (std::size_t i = 1; i < size; i += burst) {
        const std::size_t n = std::min(burst, size - i);
        std::size_t expect = 0;
        for (std::size_t k = 0; k < n; ++k) expect += console::RenderByte(data[i + k], c.form.CheckDisplay.value()).size();
        const std::size_t before = c.form.RTextBuf.text().size();
        c.port.deliver(std::vector<std::uint8_t>(data + i, data + i + n));
        c.platform.doEvents();
        const std::size_t base = before > 4000 ? 2000 : before;
        if (c.form.RTextBuf.text().size() != base + expect) std::abort();
        if (c.form.RTextBuf.selStart() != static_cast<int>(c.form.RTextBuf.text().size())) std::abort();
    }
    if (!c.platform.escapes.empty()) std::abort();
    return 0;
}
