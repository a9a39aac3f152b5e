#include <gmock/gmock.h>

#include <unistd.h>

#include <cstddef>
#include <fstream>

#include "tests/e2e/E2eFixture.h"
#include "tests/e2e/TickCounter.h"

#if defined(__SANITIZE_ADDRESS__)
#define LUMETRA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMETRA_ASAN 1
#endif
#endif
#ifdef LUMETRA_ASAN
// The sanitizer runtime's own count; GCC ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Resident memory. Under AddressSanitizer freed blocks sit in its
// quarantine and keep the resident size climbing, so the heap in use is
// what tells a leak there.
long long MemoryInUse() {
#ifdef LUMETRA_ASAN
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    std::ifstream statm("/proc/self/statm");
    long long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
#endif
}

class IdlePort : public E2eFixture {};

// A pseudo-terminal has no modem lines: every tick's line refresh fails and
// must be skipped, a minute long, without the port or the program suffering.
TEST_F(IdlePort, AMinuteOfTicksWithoutModemLinesThenALineIsAnswered) {
    const std::string device = startSim({});
    ASSERT_FALSE(device.empty());
    mapCom1(device);
    startProgram();
    ASSERT_NO_FATAL_FAILURE(openAt9600());

    TickCounter ticks(5);
    ::testing::internal::CaptureStderr();
    runFor(2000);  // the window and its document settle first
    const long long before = MemoryInUse();
    const long ticksBefore = ticks.count();
    runFor(60000);
    const long long after = MemoryInUse();
    const long idleTicks = ticks.count() - ticksBefore;
    const std::string stderrText = ::testing::internal::GetCapturedStderr();

    std::printf("[          ] %ld ticks in 60 s; memory %lld -> %lld bytes (%+lld)\n", idleTicks, before, after,
                after - before);
    EXPECT_GT(idleTicks, 3000) << "the 5 ms poll did not keep running";
    EXPECT_LT(after - before, 4ll << 20) << "memory grew while idle";
    EXPECT_THAT(stderrText, Not(HasSubstr("lumetra:"))) << "a failing step escaped a handler";
    EXPECT_EQ(button("ComStartStop")->text(), QStringLiteral("关 闭 端 口"));

    // A typed line starting with A goes out with CR and is answered.
    QPlainTextEdit* upper = pane("TextOut");
    type(upper, QStringLiteral("AT"));
    pressEnter(upper);
    EXPECT_TRUE(waitUntil([&] { return paneText("RTextBuf").contains(QStringLiteral("OK")); }))
        << paneText("RTextBuf").toStdString();
    EXPECT_EQ(simLog(), "AT\n");
    EXPECT_EQ(button("ComStartStop")->text(), QStringLiteral("关 闭 端 口"));

    click("ComStartStop");
    EXPECT_EQ(button("ComStartStop")->text(), QStringLiteral("打 开 端 口"));
    EXPECT_EQ(paneText("TextOut"), QStringLiteral("请先打开端口!"));
    EXPECT_TRUE(boxes_.take().empty());
}

}  // namespace
}  // namespace e2e
