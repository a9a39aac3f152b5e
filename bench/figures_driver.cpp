// The whole console in one process, as the program assembles it (Qt front
// end, settings file, termios port), against a pseudo-terminal whose far end
// is a child process. Prints one sample of each whole-program figure as
// "name value" lines; bench/figures runs it several times and takes medians.
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/AppIdentity.h"
#include "tests/support/CountingPort.h"
#include "bench/figures_support/FarEnd.h"
#include "bench/figures_support/FirstPaint.h"
#include "bench/figures_support/Usage.h"
#include "console/Lumetra.h"
#include "platform/posix/EmptyRegistry.h"
#include "platform/posix/IniProfile.h"
#include "platform/posix/PosixCommControl.h"
#include "platform/posix/PosixShell.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtPlatform.h"

namespace {

using figures::FarEnd;
using figures::Span;

constexpr double kLineRate = 25600;  // 256000 bit/s at 10 bits a byte
constexpr int kFastestSpeed = 17;    // "256000bps"

struct Options {
    double idleSeconds = 10;
    int waits = 20;
    double pacedSeconds = 5;
    double floodBytes = kLineRate * 600;  // ten minutes at the fastest rate
    double hexFloodBytes = 4e6;
};

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const double v = std::atof(argv[i + 1]);
        if (key == "--idle-seconds") o.idleSeconds = v;
        if (key == "--waits") o.waits = static_cast<int>(v);
        if (key == "--paced-seconds") o.pacedSeconds = v;
        if (key == "--flood-bytes") o.floodBytes = v;
        if (key == "--hex-flood-bytes") o.hexFloodBytes = v;
    }
    return o;
}

void Print(const char* name, double value) {
    std::printf("%s %.6g\n", name, value);
    std::fflush(stdout);
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The far end is forked before Qt starts any thread, and the clock for
// start-up starts here: what follows the exec is what a user waits for.
[[noreturn]] void Relaunch(char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const FarEnd far = FarEnd::start();
    ::setenv("FIGURES_FAR_END", far.toText().c_str(), 1);
    char t0[64];
    std::snprintf(t0, sizeof t0, "%.9f", figures::MonoSeconds());
    ::setenv("FIGURES_T0", t0, 1);
    // The real path, so that the process keeps its name in ps and perf.
    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) self[n] = '\0';
    ::execv(n > 0 ? self : "/proc/self/exe", argv);
    std::perror("figures_driver: exec");
    std::_Exit(1);
}

// Runs the event loop until `loop` is quit or `seconds` pass; false on the timeout.
bool RunLoop(QEventLoop& loop, double seconds) {
    bool timedOut = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    timer.start(static_cast<int>(seconds * 1000));
    loop.exec();
    return !timedOut;
}

void RunFor(double seconds) {
    QEventLoop loop;
    RunLoop(loop, seconds);
}

// The program's settings file in a directory of its own: COM 1 is the
// pseudo-terminal and the fastest speed is selected at start.
class SettingsDir {
public:
    explicit SettingsDir(const std::string& device) {
        char tmpl[] = "/tmp/lumetra-figures-XXXXXX";
        if (!::mkdtemp(tmpl)) throw std::runtime_error("no temporary directory");
        path_ = tmpl;
        std::ofstream(path_ + "/lumetra.ini")
            << "[LumetraSet]\nPort=0\nSpeed=" << kFastestSpeed << "\n[Ports]\nCOM1=" << device << "\n";
    }
    ~SettingsDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

ui::AppInfo App(const std::string& dir) { return console::AppIdentity(dir, "lumetra"); }

// main.cpp's assembly, with the port counted on its way through.
struct Console {
    explicit Console(const std::string& dir)
        : platform(App(dir)), posix(profile, dir + "/lumetra.ini"), comm(posix), form(services()) {}
    console::Services services() { return console::Services{platform, comm, profile, registry, shell}; }

    platform::qt::QtPlatform platform;
    platform::posix::IniProfile profile;
    platform::posix::PosixCommControl posix;
    testsupport::CountingPort comm;
    platform::posix::EmptyRegistry registry;
    platform::posix::PosixShell shell;
    console::Lumetra form;
};

void MeasureStartup(Console& c, double t0) {
    figures::FirstPaint paint;
    qApp->installEventFilter(&paint);
    QEventLoop loop;
    paint.quitOnPaint(&loop);
    c.platform.show(c.form);
    if (!paint.seen() && !RunLoop(loop, 30)) throw std::runtime_error("the window was never painted");
    qApp->removeEventFilter(&paint);
    Print("startup_ms", (paint.at() - t0) * 1000);
    RunFor(0.5);
    Print("rss_startup_mb", figures::RssMb());
}

// As the user does it: a click on the open button's widget.
void OpenPort(Console& c) {
    platform::qt::FormView* view = c.platform.viewOf(c.form);
    auto* button = view ? view->findChild<QAbstractButton*>(QStringLiteral("ComStartStop")) : nullptr;
    if (!button) throw std::runtime_error("no open button");
    button->click();
    if (!c.form.PortIsOpen) throw std::runtime_error("the port did not open");
    RunFor(1.0);
}

// What waking every 5 ms costs by itself on this machine: a timer that does
// nothing, with the window shown and the port still closed.
void MeasureFloor(double seconds) {
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start(5);
    RunFor(0.2);
    Span span;
    RunFor(seconds);
    Print("floor_timer_cpu_pct", span.percent());
}

void MeasureIdle(Console& c, double seconds) {
    c.comm.resetCounts();
    Span span;
    RunFor(seconds);
    Print("idle_cpu_pct", span.percent());
    Print("idle_ticks_per_s", static_cast<double>(c.comm.counts().ticks) / span.wall());
}

// SendCommand as a command button calls it; the far end answers OK.
void MeasureWait(Console& c, FarEnd& far, int n) {
    far.answer();
    std::vector<double> shares;
    std::vector<double> walls;
    int answered = 0;
    for (int i = 0; i < n; ++i) {
        RunFor(0.05);
        Span span;
        c.form.SendCommand(u"AT");
        shares.push_back(span.percent());
        walls.push_back(span.wall() * 1000);
        if (c.form.RTextBuf.text().find(u"OK") != std::u16string::npos) ++answered;
    }
    Print("wait_cpu_pct", Median(shares));
    Print("wait_cpu_pct_max", *std::max_element(shares.begin(), shares.end()));
    Print("wait_ms", Median(walls));
    Print("wait_answered_pct", 100.0 * answered / n);
}

void SetHex(Console& c, bool hex) {
    c.form.CheckDisplay.setValue(hex ? 1 : 0);
    RunFor(0.2);
}

// Text at the fastest line rate, as a module that talks without pause.
void MeasurePaced(Console& c, FarEnd& far, bool hex, double seconds) {
    SetHex(c, hex);
    const auto bytes = static_cast<std::uint64_t>(kLineRate * seconds);
    c.comm.resetCounts();
    QEventLoop loop;
    c.comm.whenReceived(bytes, [&] { loop.quit(); });
    Span span;
    far.pace(bytes, kLineRate);
    if (!RunLoop(loop, seconds * 2 + 5)) throw std::runtime_error("paced data did not arrive");
    Print(hex ? "paced_hex_cpu_pct" : "paced_text_cpu_pct", span.percent());
}

struct Flood {
    double seconds = 0;
    double cpu = 0;
    double rssTenth = 0;
    testsupport::CountingPort::Counts counts;
};

Flood RunFlood(Console& c, FarEnd& far, std::uint64_t bytes) {
    Flood f;
    c.comm.resetCounts();
    QEventLoop loop;
    c.comm.whenReceived(bytes / 10, [&] {
        f.rssTenth = figures::RssMb();
        c.comm.whenReceived(bytes, [&] { loop.quit(); });
    });
    Span span;
    far.flood(bytes);
    if (!RunLoop(loop, 300)) throw std::runtime_error("the flood did not arrive");
    f.seconds = span.wall();
    f.cpu = span.cpu();
    f.counts = c.comm.counts();
    return f;
}

// As fast as the pseudo-terminal goes: the console's rate, what it costs,
// and whether the 5 ms poll kept its pace.
void MeasureFlood(Console& c, FarEnd& far, bool hex, std::uint64_t bytes) {
    SetHex(c, hex);
    const Flood f = RunFlood(c, far, bytes);
    const std::string p = hex ? "flood_hex_" : "flood_text_";
    const double mb = static_cast<double>(bytes) / 1e6;
    Print((p + "bytes_per_s").c_str(), static_cast<double>(bytes) / f.seconds);
    Print((p + "cpu_s_per_mb").c_str(), f.cpu / mb);
    Print((p + "cpu_pct").c_str(), 100 * f.cpu / f.seconds);
    Print((p + "ticks_per_s").c_str(), static_cast<double>(f.counts.ticks) / f.seconds);
    Print((p + "mean_read").c_str(), static_cast<double>(f.counts.bytes) / static_cast<double>(f.counts.reads));
    Print((p + "largest_read").c_str(), static_cast<double>(f.counts.largestRead));
    Print((p + "rss_tenth_mb").c_str(), f.rssTenth);
    Print((p + "rss_end_mb").c_str(), figures::RssMb());
    Print((p + "rss_growth_mb").c_str(), figures::RssMb() - f.rssTenth);
}

int Run(const Options& o, double t0, FarEnd& far) {
    SettingsDir dir(far.slavePath());
    Console c(dir.path());
    MeasureStartup(c, t0);
    MeasureFloor(std::min(o.idleSeconds, 3.0));
    OpenPort(c);
    MeasureIdle(c, o.idleSeconds);
    MeasureWait(c, far, o.waits);
    MeasurePaced(c, far, false, o.pacedSeconds);
    MeasurePaced(c, far, true, o.pacedSeconds);
    MeasureFlood(c, far, false, static_cast<std::uint64_t>(o.floodBytes));
    MeasureFlood(c, far, true, static_cast<std::uint64_t>(o.hexFloodBytes));
    Print("rss_peak_mb", figures::PeakRssMb());
    c.platform.unload(c.form);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* t0 = std::getenv("FIGURES_T0");
    const char* farText = std::getenv("FIGURES_FAR_END");
    if (!t0 || !farText) Relaunch(argv);
    const double start = std::atof(t0);
    FarEnd far = FarEnd::fromText(farText);
    const Options options = Parse(argc, argv);
    ::alarm(900);  // a hang ends the run instead of the whole script
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    int rc = 1;
    try {
        rc = Run(options, start, far);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "figures_driver: %s\n", e.what());
    }
    far.stop();
    return rc;
}
