#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "console/Lumetra.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtPlatform.h"
#include "tests/support/FakeRegistry.h"
#include "tests/support/FakeShell.h"
#include "tests/support/MemoryProfile.h"
#include "tests/support/SimCommControl.h"

namespace qttest {

// The main window on the Qt front end (offscreen), with the simulated port
// on the real clock.
class QtConsole : public ::testing::Test {
protected:
    QtConsole();
    ~QtConsole() override;

    void load();
    console::Lumetra& form() { return *form_; }
    platform::qt::FormView* view() { return platform_.viewOf(*form_); }
    template <class W>
    W* widget(const char* objectName) {
        return view() ? view()->findChild<W*>(QString::fromUtf8(objectName)) : nullptr;
    }
    QRect pixels(const ui::Control& c) const {
        return platform_.scale().toPixels(c.left(), c.top(), c.width(), c.height());
    }

    platform::qt::QtPlatform platform_;
    testsupport::SimCommControl port_;
    testsupport::MemoryProfile profile_;
    testsupport::FakeRegistry registry_;
    testsupport::FakeShell shell_;
    std::unique_ptr<console::Lumetra> form_;
};

}  // namespace qttest
