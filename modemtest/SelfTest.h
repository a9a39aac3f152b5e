#pragma once

#include <optional>
#include <string>

namespace console {
class Lumetra;
}
namespace ui {
struct Date;
}

namespace modemtest {

// The device initialisation script: find the speed the module answers at,
// check DSR and CTS, set and read back its clock, send the set-up commands
// and ask for IMEI, revision and identity. The first failed check is
// reported and ends the run; a passing run says nothing.
class SelfTest {
public:
    explicit SelfTest(console::Lumetra& form) : f_(form) {}

    void ComVersion_Click();

    // "yy/mm/dd,23:59:59" for the given day.
    static std::u16string ClockText(const ui::Date& today);

private:
    bool run();
    int huntSpeed();
    bool checkLines(int tryCounter);
    bool setUpModule(const std::u16string& clock);
    bool checkClock(const std::u16string& clock);
    void askIdentity();
    std::optional<bool> replyContains(const std::u16string& text);
    void report(const std::u16string& message);
    void send(const std::u16string& cmd);
    void sleep(int ms);

    console::Lumetra& f_;
};

}  // namespace modemtest
