#pragma once

#include <exception>
#include <functional>
#include <string>

namespace ui {

class Form;

struct Date {
    int year = 2000;
    int month = 1;
    int day = 1;
};

struct AppInfo {
    std::u16string title;
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string path;     // the executable's directory, without a trailing separator
    std::string exeName;  // the executable's base name, without extension
};

// Message box styles and answers, as the toolkit numbers them.
namespace mb {
inline constexpr int OkOnly = 0;
inline constexpr int Information = 64;
inline constexpr int Ok = 1;
}  // namespace mb

// Everything the core needs from the window system and the clock.
class Platform {
public:
    virtual ~Platform() = default;

    // Process pending events once; waits for the next one when none is due.
    virtual void doEvents() = 0;
    // Block the thread; no event runs meanwhile.
    virtual void sleep(int ms) = 0;
    virtual int messageBox(const std::u16string& text, int style, const std::u16string& title) = 0;
    virtual Date today() = 0;
    virtual float screenWidthTwips() = 0;
    virtual float screenHeightTwips() = 0;
    virtual const AppInfo& app() = 0;

    // Load (raising Load once), then show; a shown form is brought forward.
    virtual void show(Form& form) = 0;
    // Raise Unload; unless cancelled, hide the form and stop its timers.
    virtual void unload(Form& form) = 0;

    // Runs an event handler. What escapes a handler is reported and the
    // program goes on.
    void dispatch(const std::function<void()>& handler) noexcept {
        ++running_;
        try {
            handler();
        } catch (const std::exception& e) {
            escaped(e.what());
        } catch (...) {
            escaped("unknown error");
        }
        --running_;
    }
    // Handlers running now, nested ones counted (a wait pumps events): 0
    // when the program is between events.
    int handlersRunning() const { return running_; }

protected:
    virtual void escaped(const char* what) noexcept = 0;

private:
    int running_ = 0;
};

}  // namespace ui
