// A megabyte of noise through a pseudo-terminal into the running console:
// the real front end and the real termios port, in real time.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <thread>

#include "console/Lumetra.h"
#include "console/ReceivedBytes.h"
#include "platform/posix/PosixCommControl.h"
#include "platform/qt/FormView.h"
#include "platform/qt/PaneText.h"
#include "platform/qt/QtPlatform.h"
#include "tests/qt/QtHelpers.h"
#include "tests/support/CountingPort.h"
#include "tests/support/FakeRegistry.h"
#include "tests/support/FakeShell.h"
#include "tests/support/MemoryProfile.h"

#if defined(__SANITIZE_ADDRESS__)
#define LUMETRA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMETRA_ASAN 1
#endif
#endif

namespace qttest {
namespace {

constexpr std::size_t kFlood = std::size_t{1} << 20;
constexpr std::size_t kEarly = 100 * 1024;
constexpr int kBudgetMs = 15000;
constexpr const char* kIni = "/opt/lumetra/lumetra.ini";

long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The console as the program assembles it, its port 1 the slave of a fresh
// pseudo-terminal; the master is the far end, fed from a thread of its own.
class Flood : public ::testing::Test {
protected:
    Flood() : platform_(TestApp()), posix_(profile_, kIni), port_(posix_) {}
    ~Flood() override {
        stop_ = true;
        if (writer_.joinable()) writer_.join();
        if (form_ && form_->loaded()) platform_.unload(*form_);
        if (master_ >= 0) ::close(master_);
    }
    void SetUp() override {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(master_, 0);
        ASSERT_EQ(::grantpt(master_), 0);
        ASSERT_EQ(::unlockpt(master_), 0);
        profile_.set("Ports", "COM1", ::ptsname(master_));
        form_ = std::make_unique<console::Lumetra>(console::Services{platform_, port_, profile_, registry_, shell_});
    }

    template <class W>
    W* widget(const char* name) {
        return platform_.viewOf(*form_)->findChild<W*>(QString::fromUtf8(name));
    }
    // COM 1 at 9600bps, opened by a click on the open button.
    void openByHand() {
        platform_.show(*form_);
        Pump();
        auto* speed = widget<QComboBox>("ComboSpeed");
        speed->setCurrentIndex(9);
        emit speed->activated(9);
        auto* button = widget<QPushButton>("ComStartStop");
        Mouse(button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
        Mouse(button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    }
    // The far end writes everything as fast as the terminal takes it.
    void send(std::vector<std::uint8_t> data) {
        writer_ = std::thread([this, data = std::move(data)] {
            std::size_t sent = 0;
            while (sent < data.size() && !stop_) {
                pollfd p{master_, POLLOUT, 0};
                if (::poll(&p, 1, 50) <= 0) continue;
                const ssize_t n = ::write(master_, data.data() + sent, std::min<std::size_t>(4096, data.size() - sent));
                if (n > 0)
                    sent += static_cast<std::size_t>(n);
                else if (n < 0 && errno != EAGAIN && errno != EINTR)
                    break;
            }
        });
    }

    // After every tick that read something, the pane holds at most 4000
    // characters plus that read rendered, five characters a byte at most.
    void watchTicks() {
        const std::function<void()> tick = form_->TimerRead.Tick;
        form_->TimerRead.Tick = [this, tick] {
            const std::uint64_t before = port_.counts().bytes;
            tick();
            const auto read = static_cast<std::size_t>(port_.counts().bytes - before);
            if (read == 0) return;
            const std::size_t pane = form_->RTextBuf.text().size();
            ++log_.ticks;
            log_.largestRead = std::max(log_.largestRead, read);
            log_.longestPane = std::max(log_.longestPane, pane);
            log_.overshoot = std::max(log_.overshoot, static_cast<long>(pane) - static_cast<long>(4000 + 5 * read));
            if (log_.residentEarly == 0 && port_.counts().bytes >= kEarly) log_.residentEarly = ResidentBytes();
            if (port_.counts().bytes >= kFlood) loop_.quit();
        };
    }
    // Another timer of the window, to show the event loop keeps its pace.
    void startHeartbeat() {
        QObject::connect(&heartbeat_, &QTimer::timeout,
                         [this] { log_.longestGapMs = std::max(log_.longestGapMs, sinceBeat_.restart()); });
        sinceBeat_.start();
        heartbeat_.start(10);
    }
    // The figures, for the record.
    void report(double seconds, double cpuSeconds, long residentEnd) const {
        std::printf(
            "[ flood    ] %zu bytes in %.2f s: %.0f bytes/s; UI thread CPU %.2f s (%.0f%%); %zu ticks with data, "
            "largest read %zu, longest pane %zu; longest timer gap %lld ms; resident %+ld kB after %zu kB\n",
            kFlood, seconds, static_cast<double>(kFlood) / seconds, cpuSeconds, 100 * cpuSeconds / seconds, log_.ticks,
            log_.largestRead, log_.longestPane, static_cast<long long>(log_.longestGapMs),
            (residentEnd - log_.residentEarly) / 1024, kEarly / 1024);
    }

    platform::qt::QtPlatform platform_;
    testsupport::MemoryProfile profile_;
    platform::posix::PosixCommControl posix_;
    testsupport::CountingPort port_;
    testsupport::FakeRegistry registry_;
    testsupport::FakeShell shell_;
    std::unique_ptr<console::Lumetra> form_;
    int master_ = -1;
    std::atomic<bool> stop_{false};
    std::thread writer_;
    struct {
        std::size_t ticks = 0, largestRead = 0, longestPane = 0;
        long overshoot = LONG_MIN;  // the most the pane ever passed its bound by
        long residentEarly = 0;
        qint64 longestGapMs = 0;
    } log_;
    QEventLoop loop_;
    QTimer heartbeat_;
    QElapsedTimer sinceBeat_;
};

TEST_F(Flood, AMegabyteOfNoiseKeepsThePaneBoundedAndTheWindowResponsive) {
    openByHand();
    ASSERT_TRUE(form_->PortIsOpen);
    watchTicks();
    std::vector<std::uint8_t> noise(kFlood);
    std::mt19937 rng(7);
    for (auto& b : noise) b = static_cast<std::uint8_t>(rng());
    const std::vector<std::uint8_t> tail(noise.end() - 200, noise.end());

    startHeartbeat();
    const double cpu = ThreadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    send(std::move(noise));
    // The program's own event loop, which sleeps between events: the CPU
    // time is the console's, not a test's polling.
    QTimer::singleShot(kBudgetMs, &loop_, &QEventLoop::quit);
    loop_.exec();
    const bool all = port_.counts().bytes >= kFlood;
    const double seconds = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
    const double cpuSeconds = ThreadCpuSeconds() - cpu;
    heartbeat_.stop();
    const long residentEnd = ResidentBytes();

    ASSERT_TRUE(all) << port_.counts().bytes << " of " << kFlood << " bytes in " << kBudgetMs << " ms";
    EXPECT_EQ(port_.counts().bytes, kFlood);
    EXPECT_LE(log_.overshoot, 0) << "longest pane " << log_.longestPane << ", largest read " << log_.largestRead;
    EXPECT_LT(log_.longestGapMs, 250);

    // The last bytes are the pane's last characters, in the widget as in the model.
    std::u16string expected;
    for (std::uint8_t b : tail) expected += console::RenderByte(b, false);
    const std::u16string& text = form_->RTextBuf.text();
    ASSERT_GE(text.size(), expected.size());
    EXPECT_TRUE(text.compare(text.size() - expected.size(), expected.size(), expected) == 0);
    // The pane takes what came in its last frame when the frame ends.
    const QString shown = platform::qt::PaneText::toDocument(text).replace(QChar::ParagraphSeparator, '\n');
    const auto document = [&] { return widget<QPlainTextEdit>("RTextBuf")->document()->toPlainText(); };
    PumpUntil([&] { return document() == shown; });
    EXPECT_EQ(document(), shown);

#ifndef LUMETRA_ASAN  // the sanitizer's quarantine keeps freed memory resident on purpose
    ASSERT_GT(log_.residentEarly, 0);
    EXPECT_LT(residentEnd - log_.residentEarly, 4L << 20) << "from " << log_.residentEarly << " to " << residentEnd;
#endif
    report(seconds, cpuSeconds, residentEnd);
}

}  // namespace
}  // namespace qttest
