#include <gmock/gmock.h>

#include <QElapsedTimer>

#include "tests/e2e/E2eFixture.h"
#include "tests/e2e/TickCounter.h"

namespace e2e {
namespace {

using ::testing::HasSubstr;

class SelfTestRun : public E2eFixture {};

// The module answers only at 57600 bit/s. The hunt's first try at 9600 goes
// unheard, the second finds it; a pseudo-terminal has no DSR line, so the
// run stops at the first line check.
TEST_F(SelfTestRun, FindsTheModuleAtTheSecondTryAndStopsAtTheMissingDsrLine) {
    const std::string device = startSim({"--speed", "57600"});
    ASSERT_FALSE(device.empty());
    mapCom1(device);
    startProgram();
    ASSERT_NO_FATAL_FAILURE(openAt9600());
    const QString openCaption = caption();

    TickCounter waits(300);  // one command wait a send
    QElapsedTimer elapsed;
    elapsed.start();
    click("ComVersion");
    const qint64 ms = elapsed.elapsed();
    EXPECT_EQ(waits.count(), 2) << "the module answers at the second try only";

    const std::vector<SeenBox> seen = boxes_.take();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("Orvane的DSR信号线有问题"));
    EXPECT_EQ(seen[0].title, QStringLiteral("Orvane测试工具"));
    EXPECT_EQ(seen[0].icon, QMessageBox::Information);
    // modem-sim logs only what it hears at its own speed.
    EXPECT_EQ(simLog(), "ATE1V1\n");
    EXPECT_THAT(paneText("RTextBuf").toStdString(), HasSubstr("OK"));
    EXPECT_EQ(comboBox("ComboSpeed")->currentText(), QStringLiteral("9600bps"));
    EXPECT_EQ(caption(), openCaption);
    // Two waits of 300 ms, then the message; no sleep of the script is reached.
    EXPECT_GE(ms, 600);
    EXPECT_LT(ms, 5000);
    std::printf("[          ] self-test click took %lld ms\n", static_cast<long long>(ms));

    // Nothing more goes out once the run has ended.
    runFor(500);
    EXPECT_EQ(simLog(), "ATE1V1\n");
    EXPECT_EQ(button("ComStartStop")->text(), QStringLiteral("关 闭 端 口"));
}

}  // namespace
}  // namespace e2e
