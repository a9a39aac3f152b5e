#include <gmock/gmock.h>

#include "tests/e2e/E2eFixture.h"

namespace e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class SignalAndPin : public E2eFixture {};

// A weak signal and a SIM waiting for its PIN, with the module on a real
// pseudo-terminal: the checks read what came back over the line.
TEST_F(SignalAndPin, WeakSignalIsReportedAndThePinIsEntered) {
    const std::string device = startSim({"--csq", "9,99", "--pin", "sim-pin"});
    ASSERT_FALSE(device.empty());
    mapCom1(device);
    startProgram();
    ASSERT_NO_FATAL_FAILURE(openAt9600());
    EXPECT_EQ(caption(), QStringLiteral("测试中连接 COM 1 状态9600,N,8,1 ......"));

    click("ComSignal");
    const std::vector<SeenBox> seen = boxes_.take();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("信号太低,至少应在14以上"));
    EXPECT_EQ(seen[0].title, QStringLiteral("Orvane测试工具"));
    EXPECT_EQ(seen[0].icon, QMessageBox::Information);
    EXPECT_EQ(simLog(), "AT+CSQ\n");
    EXPECT_THAT(paneText("RTextBuf").toStdString(), HasSubstr("+CSQ: 9,99"));

    ASSERT_EQ(textBox("TextPIN")->text(), QStringLiteral("1234"));
    click("ComPIN");
    EXPECT_TRUE(boxes_.take().empty());
    EXPECT_EQ(simLog(), "AT+CSQ\nAT+CPIN?\nAT+CPIN=1234\n");
    // Only the answer to the PIN line is left: the module took it.
    const std::string afterPin = paneText("RTextBuf").toStdString();
    EXPECT_THAT(afterPin, HasSubstr("AT+CPIN=1234"));
    EXPECT_THAT(afterPin, HasSubstr("OK"));
    EXPECT_THAT(afterPin, Not(HasSubstr("SIM PIN")));
    EXPECT_THAT(afterPin, Not(HasSubstr("ERROR")));

    // The SIM is ready now, so the next click asks and stops there.
    click("ComPIN");
    EXPECT_EQ(simLog(), "AT+CSQ\nAT+CPIN?\nAT+CPIN=1234\nAT+CPIN?\n");
    EXPECT_THAT(paneText("RTextBuf").toStdString(), HasSubstr("+CPIN: READY"));
    EXPECT_TRUE(boxes_.take().empty());
}

TEST_F(SignalAndPin, GoodSignalShowsOnlyTheAnswer) {
    const std::string device = startSim({"--csq", "25,99"});
    ASSERT_FALSE(device.empty());
    mapCom1(device);
    startProgram();
    ASSERT_NO_FATAL_FAILURE(openAt9600());

    click("ComSignal");
    EXPECT_TRUE(boxes_.take().empty());
    EXPECT_EQ(simLog(), "AT+CSQ\n");
    EXPECT_THAT(paneText("RTextBuf").toStdString(), HasSubstr("+CSQ: 25,99"));
    // The command left the transmit buffer, so the upper pane is ready for the next line.
    EXPECT_TRUE(waitUntil([&] { return paneText("TextOut").isEmpty(); }));
}

}  // namespace
}  // namespace e2e
