#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/ControlObserver.h"
#include "ui/Platform.h"

namespace ui {
class Timer;
}

namespace testsupport {

// A platform whose clock moves only when told. doEvents() jumps to the next
// due timer and runs everything due then; sleep() moves the clock and runs
// nothing; message boxes are recorded.
class VirtualPlatform : public ui::Platform, public ui::ControlObserver {
public:
    struct Message {
        std::u16string text;
        int style = 0;
        std::u16string title;
    };

    VirtualPlatform();

    std::int64_t nowUs() const { return nowUs_; }
    double nowMs() const { return static_cast<double>(nowUs_) / 1000.0; }
    // Runs every timer due up to now + ms, then leaves the clock there.
    void advance(double ms);

    void doEvents() override;
    void sleep(int ms) override;
    int messageBox(const std::u16string& text, int style, const std::u16string& title) override;
    ui::Date today() override { return today_; }
    float screenWidthTwips() override { return screenW_; }
    float screenHeightTwips() override { return screenH_; }
    const ui::AppInfo& app() override { return app_; }
    void show(ui::Form& form) override;
    void unload(ui::Form& form) override;

    void changed(ui::Control& control, ui::Prop prop) override;
    void formChanged(ui::Form& form, ui::Prop prop) override;

    void setToday(ui::Date d) { today_ = d; }
    void setScreen(float w, float h) {
        screenW_ = w;
        screenH_ = h;
    }
    ui::AppInfo& appInfo() { return app_; }

    // Called at every message box, before it is recorded (a test may act "while it is up").
    std::function<void(const Message&)> onMessage;

    std::vector<Message> messages;
    std::vector<std::string> escapes;  // what escaped a handler
    int sleeps = 0;
    long long sleptMs = 0;
    std::vector<ui::Form*> shown;  // forms currently loaded, in load order

protected:
    void escaped(const char* what) noexcept override;

private:
    void schedule(ui::Timer& t);
    bool runDue();

    std::int64_t nowUs_ = 0;
    std::uint64_t seq_ = 0;
    struct Entry {
        std::int64_t dueUs;
        std::uint64_t seq;
    };
    std::map<ui::Timer*, Entry> timers_;
    std::vector<ui::Timer*> ticking_;
    ui::Date today_{2026, 12, 8};
    float screenW_ = 1920 * 15.0f;
    float screenH_ = 1080 * 15.0f;
    ui::AppInfo app_;
};

}  // namespace testsupport
