#include <gmock/gmock.h>

#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "comm/CommError.h"
#include "tests/e2e/E2eFixture.h"
#include "tests/e2e/TickCounter.h"

namespace e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The device is reached through a link that each modem-sim re-places, as a
// udev rule keeps one name for an adapter that is plugged in again.
class Unplug : public E2eFixture {
protected:
    std::string link() const { return dir_.file("modem"); }

    void startLinkedSim(std::vector<std::string> args, const std::string& logName) {
        args.push_back("--link");
        args.push_back(link());
        ASSERT_FALSE(startSim(args, logName).empty());
    }

    // The program goes on: timers fire, no failure escapes a handler, and the
    // port is closed with a click.
    void expectItSurvivesAndCloses() {
        TickCounter ticks(5);
        EXPECT_TRUE(waitUntil([&] { return ticks.count() >= 20; })) << "the poll stopped";
        EXPECT_EQ(button("ComStartStop")->text(), QStringLiteral("关 闭 端 口"));
        click("ComStartStop");
        EXPECT_EQ(button("ComStartStop")->text(), QStringLiteral("打 开 端 口"));
        EXPECT_EQ(paneText("TextOut"), QStringLiteral("请先打开端口!"));
    }

    void expectOpenFailsForTheMissingDevice() {
        // The freed pseudo-terminal number may be taken by another program's
        // at once; the link then leads to a device that is not ours.
        std::error_code ec;
        if (std::filesystem::exists(link(), ec)) {
            std::printf("[          ] the device number was reused meanwhile; open-failure check left out\n");
            return;
        }
        click("ComStartStop");
        const std::vector<SeenBox> seen = boxes_.take();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, QStringLiteral("串口不能被打开:COM 1 9600,N,8,1\r\n") +
                                    QString::fromStdU16String(comm::ErrorText(comm::err::DeviceNotFound)));
        EXPECT_EQ(seen[0].title, QStringLiteral("Orvane测试工具"));
        EXPECT_EQ(seen[0].icon, QMessageBox::NoIcon);
        EXPECT_EQ(button("ComStartStop")->text(), QStringLiteral("打 开 端 口"));
    }

    // Plugged in again: the same name opens and a command gets its answer.
    void expectItWorksAgain() {
        startLinkedSim({"--csq", "20,99"}, "again.log");
        click("ComStartStop");
        ASSERT_EQ(button("ComStartStop")->text(), QStringLiteral("关 闭 端 口")) << "no reopen after re-plugging";
        EXPECT_TRUE(boxes_.take().empty());
        click("ComSignal");
        EXPECT_TRUE(boxes_.take().empty());
        EXPECT_THAT(paneText("RTextBuf").toStdString(), HasSubstr("+CSQ: 20,99"));
        EXPECT_EQ(simLog("again.log"), "AT+CSQ\n");
    }
};

TEST_F(Unplug, WhileThePortIsOpen) {
    ASSERT_NO_FATAL_FAILURE(startLinkedSim({}, "sim.log"));
    mapCom1(link());
    startProgram();
    ASSERT_NO_FATAL_FAILURE(openAt9600());
    ::testing::internal::CaptureStderr();
    killSim();
    expectItSurvivesAndCloses();
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), Not(HasSubstr("lumetra:")));
    expectOpenFailsForTheMissingDevice();
    expectItWorksAgain();
}

// The module is pulled 100 ms into the 300 ms wait, before its late answer
// is due: the wait ends on time, the check finds nothing, and the window
// takes clicks again.
TEST_F(Unplug, WhileACommandWaitsForItsAnswer) {
    ASSERT_NO_FATAL_FAILURE(startLinkedSim({"--delay-ms", "1000"}, "sim.log"));
    mapCom1(link());
    startProgram();
    ASSERT_NO_FATAL_FAILURE(openAt9600());
    ::testing::internal::CaptureStderr();
    QTimer::singleShot(100, [this] { killSim(); });
    QElapsedTimer elapsed;
    elapsed.start();
    click("ComSignal");
    const qint64 ms = elapsed.elapsed();
    EXPECT_FALSE(sim_) << "modem-sim was not pulled during the wait";
    EXPECT_LT(ms, 5000);
    const std::vector<SeenBox> seen = boxes_.take();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("信号太低,至少应在14以上"));
    EXPECT_EQ(simLog(), "AT+CSQ\n");
    expectItSurvivesAndCloses();
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), Not(HasSubstr("lumetra:")));
    expectOpenFailsForTheMissingDevice();
    expectItWorksAgain();
}

}  // namespace
}  // namespace e2e
