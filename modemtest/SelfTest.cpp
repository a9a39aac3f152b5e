#include "modemtest/SelfTest.h"

#include <array>
#include <optional>

#include "comm/CommControl.h"
#include "console/Lumetra.h"
#include "console/PortSettingsText.h"
#include "ui/Platform.h"
#include "ui/Skip.h"
#include "ui/Text.h"

namespace modemtest {

using ui::Skip;

namespace {

constexpr int kSpeed9600 = 9;
constexpr int kHuntStart = 15;  // the hunt lowers it before each change: entries 14 down to 4
constexpr int kFirstTry = 8;

const std::array<const char16_t*, 8> kSetUp = {
    u"ATV1E1+IPR=0", u"AT+IFC=0,0;+WRIM=1", u"AT+Speaker=1;+VGR=96", u"AT+SIDET=0",
    u"AT+Speaker=0;+VGR=96", u"AT+VGT=32", u"AT+SIDET=0", u"AT+ECHO=1,1,0,3,10,7",
};

std::u16string TwoDigits(int v) {
    const int d = ((v % 100) + 100) % 100;
    return std::u16string{static_cast<char16_t>(u'0' + d / 10), static_cast<char16_t>(u'0' + d % 10)};
}

}  // namespace

std::u16string SelfTest::ClockText(const ui::Date& today) {
    // Characters 3-4, 6-7 and 9-10 of "yyyy/mm/dd".
    return TwoDigits(today.year % 100) + u"/" + TwoDigits(today.month) + u"/" + TwoDigits(today.day) + u",23:59:59";
}

void SelfTest::ComVersion_Click() {
    if (!f_.PortIsOpen) return;
    run();
}

// Every statement goes on past a failure. A check whose condition cannot be
// evaluated reports its message, as the statement after it is the report.
bool SelfTest::run() {
    Skip([this] { f_.ComboSpeed.setListIndex(kSpeed9600); });
    const int tryCounter = huntSpeed();
    Skip([this] { f_.ComboSpeed.setListIndex(kSpeed9600); });
    if (!checkLines(tryCounter)) return false;
    sleep(50);
    std::u16string clock;
    Skip([&] { clock = ClockText(f_.platform().today()); });
    if (!setUpModule(clock)) return false;
    if (!checkClock(clock)) return false;
    askIdentity();
    return true;
}

// Returns the try counter: 8 for a hit at the first try, one past the number
// of entries after a full miss. The selector stays at 9600; only Settings moves.
int SelfTest::huntSpeed() {
    int position = kHuntStart;
    int entries = 18;
    Skip([&] { entries = f_.ComboSpeed.listCount(); });
    int tryCounter = kFirstTry;
    for (; tryCounter <= entries; ++tryCounter) {
        send(u"ATE1V1");
        const auto hit = replyContains(u"OK");
        if (!hit || *hit) break;  // a reply that cannot be read leaves the hunt too
        --position;
        Skip([&] { f_.MSComm.setSettings(console::PortSettingsText(f_.ComboSpeed.list(position))); });
    }
    return tryCounter;
}

bool SelfTest::checkLines(int tryCounter) {
    bool missed = true;
    Skip([&] { missed = tryCounter == f_.ComboSpeed.listCount() + 1; });
    if (missed) {
        report(u"Orvane没有反应");
        return false;
    }
    bool dsr = false;
    Skip([&] { dsr = f_.MSComm.dsrHolding(); });
    if (!dsr) {
        report(u"Orvane的DSR信号线有问题");
        return false;
    }
    bool cts = false;
    Skip([&] { cts = f_.MSComm.ctsHolding(); });
    if (!cts) {
        report(u"Orvane的CTS信号线有问题");
        return false;
    }
    return true;
}

// Only the last set-up command's reply is judged: each send empties the pane.
bool SelfTest::setUpModule(const std::u16string& clock) {
    send(u"AT+CCLK=\"" + clock + u"\"");
    for (const char16_t* cmd : kSetUp) {
        send(cmd);
        sleep(250);
    }
    const auto ok = replyContains(u"OK");
    if (!ok || !*ok) {
        report(u"Orvane 初始化不正确");
        return false;
    }
    return true;
}

bool SelfTest::checkClock(const std::u16string& clock) {
    sleep(200);
    send(u"AT+CCLK?");
    const auto stopped = replyContains(clock);
    if (clock.empty() || !stopped || *stopped) {
        report(u"Orvane的时钟回读出错,没有走时!");
        return false;
    }
    const auto reset = replyContains(u"00/01/01");
    if (!reset || *reset) {
        report(u"设置Orvane的时钟出错!");
        return false;
    }
    return true;
}

void SelfTest::askIdentity() {
    send(u"ATD*#06#");
    send(u"AT+CGMR");
    sleep(550);
    send(u"ATI");
    sleep(150);
}

// Empty when the test cannot be made: the hunt then stops and a check reports.
std::optional<bool> SelfTest::replyContains(const std::u16string& text) {
    std::optional<bool> found;
    Skip([&] { found = ui::InStrNoCase(f_.RTextBuf.text(), text) > 0; });
    return found;
}

void SelfTest::report(const std::u16string& message) {
    Skip([&] { f_.platform().messageBox(message, ui::mb::Information, f_.platform().app().title); });
}

void SelfTest::send(const std::u16string& cmd) {
    Skip([&] { f_.SendCommand(cmd); });
}

void SelfTest::sleep(int ms) {
    Skip([&] { f_.platform().sleep(ms); });
}

}  // namespace modemtest
