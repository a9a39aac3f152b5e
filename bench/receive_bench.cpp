// The core receive path: one poll tick that renders a burst of bytes, cuts the
// lower pane when it is past 4000 characters and appends with one insertion.
#include <benchmark/benchmark.h>

#include <random>

#include "tests/support/HeadlessConsole.h"

namespace {

// The pane starts near its 4000-character limit, as it is in a busy session.
struct Console : testsupport::HeadlessConsole {
    Console() { form.RTextBuf.setText(std::u16string(3900, u'x')); }
};

void TickWithBurst(benchmark::State& state, bool hex) {
    Console c;
    c.form.CheckDisplay.setValue(hex ? 1 : 0);
    std::mt19937 rng(42);
    std::vector<std::uint8_t> burst(static_cast<std::size_t>(state.range(0)));
    for (auto& b : burst) b = static_cast<std::uint8_t>(rng());
    for (auto _ : state) {
        c.port.deliver(burst);
        c.platform.doEvents();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["pane"] = static_cast<double>(c.form.RTextBuf.text().size());
}

void BM_TickText(benchmark::State& state) { TickWithBurst(state, false); }
void BM_TickHex(benchmark::State& state) { TickWithBurst(state, true); }

BENCHMARK(BM_TickText)->Arg(16)->Arg(128)->Arg(4096);
BENCHMARK(BM_TickHex)->Arg(16)->Arg(128)->Arg(4096);

}  // namespace

BENCHMARK_MAIN();
