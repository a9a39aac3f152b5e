// One poll tick on the real Qt front end: a burst of received bytes rendered,
// the lower pane cut when it is past 4000 characters, the insertion into the
// QPlainTextEdit, and the repaint that follows. The window is drawn on the
// offscreen platform, so the paint is real raster work, not a no-op.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <chrono>
#include <random>

#include "console/AppIdentity.h"
#include "console/Lumetra.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtPlatform.h"
#include "tests/support/FakeRegistry.h"
#include "tests/support/FakeShell.h"
#include "tests/support/MemoryProfile.h"
#include "tests/support/SimCommControl.h"

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
}

// Only this thread's work: the wait for the timer costs nothing here.
double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double SecondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

ui::AppInfo BenchApp() { return console::AppIdentity("/nonexistent", "lumetra"); }

// Counts the paints a widget receives, to show the repaint is in the figure.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    long count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// The main window shown, its port open on the simulated control (on the real
// clock). The poll tick is the form's own, run by its own 5 ms timer; it is
// timed where it runs.
struct Console {
    platform::qt::QtPlatform platform{BenchApp()};
    testsupport::SimCommControl port{&NowUs};
    testsupport::MemoryProfile profile;
    testsupport::FakeRegistry registry;
    testsupport::FakeShell shell;
    console::Lumetra form{console::Services{platform, port, profile, registry, shell}};
    double tickSeconds = 0;  // in the ticks that had bytes to read

    Console() {
        platform.show(form);
        form.ComboPort.userSelect(0);
        form.ComboSpeed.userSelect(9);
        port.setLines(true, true, true);
        form.ComStartStop.userClick();
        std::function<void()> tick = form.TimerRead.Tick;
        form.TimerRead.Tick = [this, tick] {
            const bool data = port.pendingRx() != 0;
            const auto start = Clock::now();
            tick();
            if (data) tickSeconds += SecondsSince(start);
        };
    }
    ~Console() {
        if (form.loaded()) platform.unload(form);
        QCoreApplication::sendPostedEvents();
    }
    QPlainTextEdit* lowerPane() const {
        return platform.viewOf(form)->findChild<QPlainTextEdit*>(QStringLiteral("RTextBuf"));
    }
    // One burst arrives and the event loop runs until a tick has read it.
    // Paints and other deferred work fall into whichever period they come.
    void receive(const std::uint8_t* bytes, std::size_t n) {
        port.deliver(std::vector<std::uint8_t>(bytes, bytes + n));
        while (port.pendingRx() != 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
};

// Received data: random bytes, or only printable ones, which never break the line.
std::vector<std::uint8_t> Traffic(bool lineBreaks) {
    std::mt19937 rng(42);
    std::vector<std::uint8_t> pool(1 << 20);
    for (auto& b : pool) b = static_cast<std::uint8_t>(lineBreaks ? rng() : 0x20 + rng() % 95);
    return pool;
}

// One iteration is one timer period with a burst in it: the burst arrives,
// the form's timer ticks and reads it, and the loop runs on to the next
// burst. The time reported is this thread's CPU time over the iteration:
// the tick, its insertion into the widget, and whatever paints the front end
// does in that period, at the timer's own pace. Before timing, the pane is
// fed the same traffic until it holds only what the flow leaves there.
void TickWithBurst(benchmark::State& state, bool hex, bool lineBreaks) {
    Console c;
    c.form.CheckDisplay.setValue(hex ? 1 : 0);
    const std::vector<std::uint8_t> pool = Traffic(lineBreaks);
    const auto n = static_cast<std::size_t>(state.range(0));
    std::size_t at = 0;
    const auto next = [&] {
        if (at + n > pool.size()) at = 0;
        const std::uint8_t* burst = pool.data() + at;
        at += n;
        return burst;
    };
    for (std::size_t fed = 0; fed < 6000; fed += n) c.receive(next(), n);
    c.tickSeconds = 0;
    PaintCounter paints(c.lowerPane()->viewport());
    for (auto _ : state) {
        const double cpu = ThreadCpuSeconds();
        c.receive(next(), n);
        state.SetIterationTime(ThreadCpuSeconds() - cpu);
    }
    const auto ticks = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["tick_us"] = c.tickSeconds * 1e6 / ticks;
    state.counters["paints/tick"] = static_cast<double>(paints.count) / ticks;
    state.counters["pane"] = static_cast<double>(c.form.RTextBuf.text().size());
}

void BM_QtTickText(benchmark::State& state) {
    TickWithBurst(state, false, true);
}
void BM_QtTickTextOneLine(benchmark::State& state) {
    TickWithBurst(state, false, false);
}
void BM_QtTickHex(benchmark::State& state) {
    TickWithBurst(state, true, true);
}

// Each iteration waits for the 5 ms timer: a fixed count keeps the run short.
#define LUMETRA_TICK_BENCH(fn) \
    BENCHMARK(fn)->Arg(16)->Arg(128)->Arg(4096)->UseManualTime()->Iterations(400)->Unit(benchmark::kMicrosecond)
LUMETRA_TICK_BENCH(BM_QtTickText);
LUMETRA_TICK_BENCH(BM_QtTickTextOneLine);
LUMETRA_TICK_BENCH(BM_QtTickHex);

}  // namespace

// The front end needs a QApplication, and no display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
