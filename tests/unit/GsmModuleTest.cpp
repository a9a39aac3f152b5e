#include <gtest/gtest.h>

#include <algorithm>

#include "tools/gsm/Module.h"

namespace {

using gsm::ModuleConfig;

// A line into the module: bytes leave back to back at the line speed.
struct Wire {
    explicit Wire(ModuleConfig config = {}) : module(std::move(config)) {}

    std::int64_t byteUs() const { return 10'000'000 / baud; }
    // Sends text and returns everything the module answers to it.
    std::string send(const std::string& text) {
        out.clear();
        for (char c : text) {
            nowUs += byteUs();
            module.receive(static_cast<std::uint8_t>(c), nowUs, baud, out);
        }
        std::string s;
        for (const auto& b : out) s += static_cast<char>(b.byte);
        return s;
    }
    // The answer without the echo of the line sent.
    std::string answer(const std::string& command) { return send(command + "\r\n").substr(command.size() + 1); }

    gsm::Module module;
    std::vector<gsm::TimedByte> out;
    std::int64_t nowUs = 0;
    long baud = 9600;
};

const std::string kOk = "\r\nOK\r\n";
const std::string kError = "\r\nERROR\r\n";

TEST(GsmModule, EchoesTheLineThenAnswersInVerboseFraming) {
    Wire w;
    EXPECT_EQ(w.send("AT+CSQ\r\n"), "AT+CSQ\r\r\n+CSQ: 25,99\r\n" + kOk);
    EXPECT_EQ(w.send("AT\r"), "AT\r" + kOk);
}

TEST(GsmModule, AnswersTheQueriesTheConsoleMakes) {
    ModuleConfig c;
    c.rssi = 9;
    c.ber = 3;
    c.imei = "356938035643809";
    c.revision = "R1.2";
    c.identity = "TEST UNIT";
    c.operatorName = "OPERATOR X";
    Wire w(c);
    EXPECT_EQ(w.answer("AT+CSQ"), "\r\n+CSQ: 9,3\r\n" + kOk);
    EXPECT_EQ(w.answer("AT+COPS?"), "\r\n+COPS: 0,0,\"OPERATOR X\"\r\n" + kOk);
    EXPECT_EQ(w.answer("AT+CLCC"), kOk);
    EXPECT_EQ(w.answer("ATD*#06#"), "\r\n356938035643809\r\n" + kOk);
    EXPECT_EQ(w.answer("AT+CGMR"), "\r\nR1.2\r\n" + kOk);
    EXPECT_EQ(w.answer("ATI"), "\r\nTEST UNIT\r\n" + kOk);
    EXPECT_EQ(w.answer("ATI0"), "\r\nTEST UNIT\r\n" + kOk);
    EXPECT_EQ(w.answer("AT+CPIN?"), "\r\n+CPIN: READY\r\n" + kOk);
}

TEST(GsmModule, CallCommands) {
    Wire w;
    for (const char* key : {"1", "0", "*", "#", "D"}) EXPECT_EQ(w.answer(std::string("AT+VTS=") + key), kOk) << key;
    for (const char* bad : {"AT+VTS=", "AT+VTS=12", "AT+VTS=X", "AT+VTS?", "AT+VTS"})
        EXPECT_EQ(w.answer(bad), kError) << bad;
    EXPECT_EQ(w.answer("ATD10086;"), kOk);
    EXPECT_EQ(w.answer("ATD+8613800138000;"), kOk);
    EXPECT_EQ(w.answer("ATD10086"), "\r\nNO CARRIER\r\n");
    EXPECT_EQ(w.answer("ATD;"), kError);
    EXPECT_EQ(w.answer("ATD10x86;"), kError);
    EXPECT_EQ(w.answer("AT+CHUP"), kOk);
}

TEST(GsmModule, PinFlow) {
    ModuleConfig c;
    c.pin = gsm::PinState::SimPin;
    c.simPin = "4321";
    Wire w(c);
    EXPECT_EQ(w.answer("AT+CPIN?"), "\r\n+CPIN: SIM PIN\r\n" + kOk);
    EXPECT_EQ(w.answer("AT+CPIN=1234"), kError);
    EXPECT_EQ(w.answer("AT+CPIN?"), "\r\n+CPIN: SIM PIN\r\n" + kOk);
    EXPECT_EQ(w.answer("AT+CPIN=4321"), kOk);
    EXPECT_EQ(w.answer("AT+CPIN?"), "\r\n+CPIN: READY\r\n" + kOk);
    // Nothing is asked for any more.
    EXPECT_EQ(w.answer("AT+CPIN=4321"), kError);
}

TEST(GsmModule, PinMayBeQuotedAndPukIsNotAPin) {
    ModuleConfig c;
    c.pin = gsm::PinState::SimPin;
    Wire quoted(c);
    EXPECT_EQ(quoted.answer("AT+CPIN=\"1234\""), kOk);
    c.pin = gsm::PinState::SimPuk;
    Wire puk(c);
    EXPECT_EQ(puk.answer("AT+CPIN?"), "\r\n+CPIN: SIM PUK\r\n" + kOk);
    EXPECT_EQ(puk.answer("AT+CPIN=1234"), kError);
}

TEST(GsmModule, TheSelfTestsLinesAreAllAcknowledged) {
    Wire w;
    for (const char* line :
         {"ATE1V1", "ATV1E1+IPR=0", "AT+IFC=0,0;+WRIM=1", "AT+Speaker=1;+VGR=96", "AT+SIDET=0", "AT+Speaker=0;+VGR=96",
          "AT+VGT=32", "AT+SIDET=0", "AT+ECHO=1,1,0,3,10,7", "AT+CCLK=\"06/11/18,23:59:59\""}) {
        EXPECT_EQ(w.send(std::string(line) + "\r\n"), std::string(line) + "\r" + kOk) << line;
    }
    for (const char* bad : {"AT+ECHO=1,,0", "AT+VGT=", "AT+VGT=x", "AT+IPR?", "AT+IFC=0,0,"})
        EXPECT_EQ(w.answer(bad), kError) << bad;
}

TEST(GsmModule, CommandsIgnoreCaseAndBlanks) {
    Wire w;
    EXPECT_EQ(w.answer("at+csq"), "\r\n+CSQ: 25,99\r\n" + kOk);
    EXPECT_EQ(w.answer("At+CpIn?"), "\r\n+CPIN: READY\r\n" + kOk);
    EXPECT_EQ(w.answer("AT + CSQ"), "\r\n+CSQ: 25,99\r\n" + kOk);
    EXPECT_EQ(w.answer("ate1v1"), kOk);
}

TEST(GsmModule, ChainedCommandsRunInOrderAndStopAtTheFirstError) {
    Wire w;
    EXPECT_EQ(w.answer("AT+CSQ;+CPIN?"), "\r\n+CSQ: 25,99\r\n\r\n+CPIN: READY\r\n" + kOk);
    EXPECT_EQ(w.answer("ATE1I+CGMR"), "\r\nGSM MODULE SIM\r\n\r\nRevision: GSM-SIM 1.0.0\r\n" + kOk);
    EXPECT_EQ(w.answer("AT+CSQ;+NOPE;+CPIN?"), "\r\n+CSQ: 25,99\r\n" + kError);
    // An extended command runs on only after a ";".
    EXPECT_EQ(w.answer("AT+CSQ+CPIN?"), kError);
    // The ERROR ends the line before the echo is switched off.
    EXPECT_EQ(w.answer("AT+NOPE;E0"), kError);
    EXPECT_EQ(w.send("AT\r"), "AT\r" + kOk);
}

TEST(GsmModule, UnknownCommandsAnswerError) {
    Wire w;
    for (const char* line : {"AT+XYZ", "ATQ", "AT&F", "AT+CSQ?", "AT+CSQ=?", "AT+COPS", "AT+CHUP=1", "ATE2", "ATI5",
                             "AT+", "AT#", "AT+CCLK", "AT+CCLK=06/11/18,23:59:59", "AT+CCLK=\"06/11/31,23:59:59\""})
        EXPECT_EQ(w.answer(line), kError) << line;
}

TEST(GsmModule, ALineWithoutThePrefixGetsOnlyItsEcho) {
    std::vector<std::string> heard;
    Wire w;
    w.module.onLine = [&](const std::string& line) { heard.push_back(line); };
    EXPECT_EQ(w.send("hello\r\n"), "hello\r");
    EXPECT_EQ(w.send("\r\n"), "\r");
    EXPECT_EQ(w.send("AT+CSQ\r\n").substr(0, 7), "AT+CSQ\r");
    EXPECT_EQ(heard, (std::vector<std::string>{"hello", "AT+CSQ"}));
}

TEST(GsmModule, EchoAndVerboseSwitch) {
    Wire w;
    EXPECT_EQ(w.send("ATE0\r\n"), "ATE0\r" + kOk);
    EXPECT_EQ(w.send("AT+CSQ\r\n"), "\r\n+CSQ: 25,99\r\n" + kOk);
    EXPECT_EQ(w.send("ATV0\r\n"), "0\r");
    EXPECT_EQ(w.send("AT+CSQ\r\n"), "+CSQ: 25,99\r\n0\r");
    EXPECT_EQ(w.send("ATX\r\n"), "4\r");
    EXPECT_EQ(w.send("ATD123\r\n"), "3\r");
    EXPECT_EQ(w.send("ATE1V1\r\n"), kOk);
    EXPECT_EQ(w.send("AT\r\n"), "AT\r" + kOk);

    ModuleConfig quiet;
    quiet.echo = false;
    Wire q(quiet);
    EXPECT_EQ(q.send("AT+CHUP\r\n"), kOk);
}

TEST(GsmModule, OverridesReplaceTheAnswerToOneLine) {
    ModuleConfig c;
    c.overrides = {{"AT+SIDET=0", kError}, {"AT+VGT=32", ""}};
    Wire w(c);
    EXPECT_EQ(w.send("at+sidet=0\r\n"), "at+sidet=0\r" + kError);
    EXPECT_EQ(w.send("AT+VGT=32\r\n"), "AT+VGT=32\r");
    EXPECT_EQ(w.answer("AT+SIDET=1"), kOk);
}

TEST(GsmModule, AnOverlongLineIsRefusedAndTheNextOneWorks) {
    Wire w;
    const std::string longLine = "AT+CSQ" + std::string(gsm::Module::kMaxLine, ';');
    EXPECT_EQ(w.answer(longLine), kError);
    EXPECT_EQ(w.answer("AT+CSQ"), "\r\n+CSQ: 25,99\r\n" + kOk);
    const std::string longest = "AT+CSQ" + std::string(gsm::Module::kMaxLine - 6, ';');
    EXPECT_EQ(w.answer(longest), "\r\n+CSQ: 25,99\r\n" + kOk);
}

TEST(GsmModule, BytesAtAnotherSpeedAreNotUnderstood) {
    ModuleConfig c;
    c.speeds = {57600, 19200};
    std::vector<std::string> heard;
    Wire w(c);
    w.module.onLine = [&](const std::string& line) { heard.push_back(line); };
    w.baud = 9600;
    EXPECT_EQ(w.send("AT+CSQ\r\n"), "");
    for (long speed : {57600L, 19200L}) {
        w.baud = speed;
        EXPECT_EQ(w.send("ATE1V1\r\n"), "ATE1V1\r" + kOk) << speed;
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"ATE1V1", "ATE1V1"}));
}

TEST(GsmModule, AGarbledByteSpoilsItsLine) {
    Wire w;
    w.send("AT+C");
    w.baud = 4800;
    w.send("S");
    w.baud = 9600;
    EXPECT_EQ(w.send("SQ\r\n"), "SQ\r");
}

TEST(GsmModule, GarbageModeAnswersJunkThatNeverSpellsAResult) {
    ModuleConfig c;
    c.wrongSpeed = gsm::WrongSpeed::Garbage;
    Wire w(c);
    w.baud = 57600;
    std::string all;
    for (int i = 0; i < 20; ++i) all += w.send("ATE1V1\r\nAT+CSQ\r\n");
    EXPECT_EQ(all.size(), 20u * 16u);
    EXPECT_TRUE(std::all_of(all.begin(), all.end(), [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; }));
    w.baud = 9600;
    EXPECT_EQ(w.answer("AT"), kOk);
}

TEST(GsmModule, EchoFollowsEachByteAndTheAnswerWaitsForTheDelay) {
    ModuleConfig c;
    c.replyDelayMs = 100;
    Wire w(c);
    const std::string answer = w.send("AT\r\n");
    const std::int64_t byte = w.byteUs();
    ASSERT_EQ(answer, "AT\r" + kOk);
    const std::int64_t crAt = 3 * byte;  // the third byte sent
    for (int i = 0; i < 3; ++i) EXPECT_EQ(w.out[i].atUs, (i + 2) * byte) << i;
    EXPECT_EQ(w.out[3].atUs, crAt + 100'000 + byte);
    for (std::size_t i = 4; i < w.out.size(); ++i) EXPECT_EQ(w.out[i].atUs - w.out[i - 1].atUs, byte) << i;
}

TEST(GsmModule, AnswersGoOutAtTheSpeedTheLineCameAt) {
    ModuleConfig c;
    c.speeds = {1200, 115200};
    for (long speed : {1200L, 115200L}) {
        Wire w(c);
        w.baud = speed;
        ASSERT_EQ(w.send("AT+CSQ\r"), "AT+CSQ\r\r\n+CSQ: 25,99\r\n" + kOk);
        const std::int64_t last = w.out.back().atUs - w.out[7].atUs;
        EXPECT_EQ(last, static_cast<std::int64_t>(w.out.size() - 8) * (10'000'000 / speed)) << speed;
        EXPECT_EQ(w.out[7].atUs, w.nowUs + 20'000 + 10'000'000 / speed) << speed;
    }
}

TEST(GsmModule, WithNoDelayTheAnswerQueuesBehindTheEcho) {
    ModuleConfig c;
    c.replyDelayMs = 0;
    c.speeds = {300};
    Wire w(c);
    w.baud = 300;
    // Bytes arrive faster than the module can echo them.
    std::vector<gsm::TimedByte> out;
    for (char ch : std::string("AT\r")) w.module.receive(static_cast<std::uint8_t>(ch), 1000, 300, out);
    ASSERT_EQ(out.size(), 9u);
    for (std::size_t i = 0; i < out.size(); ++i)
        EXPECT_EQ(out[i].atUs, 1000 + static_cast<std::int64_t>(i + 1) * 33'333);
}

TEST(GsmModule, ClockSetAndReadThroughCommands) {
    Wire w;
    ASSERT_EQ(w.answer("AT+CCLK=\"06/11/18,23:59:59\""), kOk);
    const std::int64_t setAt = w.nowUs - w.byteUs();  // the CR
    w.nowUs = setAt + 5'000'000 - 9 * w.byteUs();     // the read's CR lands 5 s after the set's
    EXPECT_EQ(w.answer("AT+CCLK?"), "\r\n+CCLK: \"06/11/19,00:00:04\"\r\n" + kOk);

    ModuleConfig stopped;
    stopped.clock = gsm::ClockMode::Stopped;
    Wire s(stopped);
    ASSERT_EQ(s.answer("AT+CCLK=\"10/01/05,23:59:59\""), kOk);
    s.nowUs += 60'000'000;
    EXPECT_EQ(s.answer("AT+CCLK?"), "\r\n+CCLK: \"10/01/05,23:59:59\"\r\n" + kOk);

    ModuleConfig reset;
    reset.clock = gsm::ClockMode::ResetsTo000101;
    Wire r(reset);
    ASSERT_EQ(r.answer("AT+CCLK=\"10/01/05,23:59:59\""), kOk);
    EXPECT_EQ(r.answer("AT+CCLK?").substr(0, 19), "\r\n+CCLK: \"00/01/01,");
}

}  // namespace
