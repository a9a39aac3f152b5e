#pragma once

#include <gtest/gtest.h>

#include "platform/qt/FormView.h"
#include "platform/qt/QtPlatform.h"
#include "tests/qt/QtHelpers.h"
#include "tests/qt/TestForm.h"

namespace qttest {

// The test form, loaded and shown on the Qt front end.
class QtForm : public ::testing::Test {
protected:
    QtForm() : platform_(TestApp()), form_(platform_) {}
    void SetUp() override {
        platform_.show(form_);
        Pump();
    }
    void TearDown() override {
        form_.setEnabled(true);
        if (form_.loaded()) platform_.unload(form_);
    }

    platform::qt::FormView* view() { return platform_.viewOf(form_); }
    template <class W>
    W* widget(const char* objectName) {
        return view() ? view()->findChild<W*>(QString::fromUtf8(objectName)) : nullptr;
    }

    platform::qt::QtPlatform platform_;
    TestForm form_;
};

}  // namespace qttest
