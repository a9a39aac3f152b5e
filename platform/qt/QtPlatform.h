#pragma once

#include <QPointer>
#include <map>
#include <vector>

#include "platform/qt/InputFilter.h"
#include "platform/qt/TwipsScale.h"
#include "ui/Platform.h"

class QMessageBox;

namespace platform::qt {

class FormView;

// The platform on Qt Widgets. Needs a QApplication before it is made.
class QtPlatform : public ui::Platform {
public:
    explicit QtPlatform(ui::AppInfo app);
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    void doEvents() override;
    void sleep(int ms) override;
    int messageBox(const std::u16string& text, int style, const std::u16string& title) override;
    ui::Date today() override;
    float screenWidthTwips() override;
    float screenHeightTwips() override;
    const ui::AppInfo& app() override { return app_; }
    void show(ui::Form& form) override;
    void unload(ui::Form& form) override;

    const TwipsScale& scale() const { return scale_; }
    // The window of a loaded form, else null.
    FormView* viewOf(const ui::Form& form) const;

    // The close box's way through Unload: false when a handler cancelled it.
    bool runUnload(ui::Form& form);
    // After Unload: timers stop, the form is unloaded, its window goes.
    void finishUnload(ui::Form& form);
    // A form was enabled or disabled.
    void refreshInputFilter();
    // The session is ending: open message boxes close as their default
    // button would, and later ones take that answer without being shown.
    void endSession();

protected:
    void escaped(const char* what) noexcept override;

private:
    ui::AppInfo app_;
    TwipsScale scale_;
    InputFilter filter_;
    bool filtering_ = false;
    std::map<const ui::Form*, FormView*> views_;
    std::vector<QPointer<FormView>> retired_;  // closed windows awaiting deletion
    std::vector<QMessageBox*> boxes_;          // open now, innermost last
    bool ending_ = false;
};

}  // namespace platform::qt
