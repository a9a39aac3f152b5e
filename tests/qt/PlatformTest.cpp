#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <ctime>

#include "tests/qt/QtForm.h"

namespace qttest {
namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

class Lifecycle : public ::testing::Test {
protected:
    Lifecycle() : platform_(TestApp()), form_(platform_) {}
    ~Lifecycle() override {
        if (form_.loaded()) platform_.unload(form_);
    }
    platform::qt::QtPlatform platform_;
    TestForm form_;
};

TEST_F(Lifecycle, ShowLoadsOnceAndUnloadDestroysTheWindow) {
    platform_.show(form_);
    EXPECT_TRUE(form_.loaded());
    EXPECT_EQ(form_.loads, 1);
    EXPECT_EQ(form_.resizes, 1);
    ASSERT_NE(platform_.viewOf(form_), nullptr);
    EXPECT_TRUE(platform_.viewOf(form_)->isVisible());
    platform_.show(form_);
    EXPECT_EQ(form_.loads, 1);

    form_.cancelUnload = true;
    platform_.unload(form_);
    EXPECT_TRUE(form_.loaded());
    form_.cancelUnload = false;
    QPointer<QWidget> window = platform_.viewOf(form_);
    platform_.unload(form_);
    EXPECT_EQ(form_.unloads, 2);
    EXPECT_FALSE(form_.loaded());
    EXPECT_EQ(platform_.viewOf(form_), nullptr);
    EXPECT_EQ(form_.observer(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return window.isNull(); }));
    platform_.show(form_);  // loads afresh
    EXPECT_EQ(form_.loads, 2);
}

TEST_F(Lifecycle, TheCloseBoxUnloadsUnlessTheFormIsDisabled) {
    platform_.show(form_);
    form_.setEnabled(false);
    EXPECT_FALSE(platform_.viewOf(form_)->close());
    EXPECT_EQ(form_.unloads, 0);
    form_.setEnabled(true);
    EXPECT_TRUE(platform_.viewOf(form_)->close());
    EXPECT_EQ(form_.unloads, 1);
    EXPECT_FALSE(form_.loaded());
}

TEST_F(Lifecycle, TimersTickOnlyWhileRunningAndLoaded) {
    form_.Clock.setInterval(10);
    Pump(50);
    EXPECT_EQ(form_.ticks, 0);  // not loaded yet
    platform_.show(form_);
    EXPECT_TRUE(PumpUntil([&] { return form_.ticks >= 3; }));
    form_.Clock.setEnabled(false);
    const int stopped = form_.ticks;
    Pump(50);
    EXPECT_EQ(form_.ticks, stopped);
    form_.Clock.setEnabled(true);
    form_.Clock.setInterval(0);
    Pump(50);
    EXPECT_EQ(form_.ticks, stopped);
}

// A tick that pumps events is not entered again meanwhile, even when it
// restarts its own timer.
TEST_F(Lifecycle, ARunningTickIsNeverReentered) {
    int depth = 0, deepest = 0;
    QTimer wake;  // something else keeps the event loop busy
    QObject::connect(&wake, &QTimer::timeout, [] {});
    wake.start(2);
    form_.Clock.Tick = [&] {
        ++form_.ticks;
        deepest = std::max(deepest, ++depth);
        if (depth == 1) {
            form_.Clock.setInterval(form_.Clock.interval() == 5 ? 6 : 5);
            const auto start = Clock::now();
            while (MsSince(start) < 40) platform_.doEvents();
        }
        --depth;
    };
    form_.Clock.setInterval(5);
    platform_.show(form_);
    EXPECT_TRUE(PumpUntil([&] { return form_.ticks >= 2; }));
    EXPECT_EQ(deepest, 1);
}

// The wait loop of a command: doEvents sleeps until the timer's event.
TEST_F(Lifecycle, DoEventsWaitsWithoutSpinning) {
    bool done = false;
    const std::clock_t cpu = std::clock();
    const auto start = Clock::now();
    // A coarse timer may come up to 5 % early.
    QTimer::singleShot(300, Qt::PreciseTimer, [&] { done = true; });
    int passes = 0;
    while (!done) {
        platform_.doEvents();
        ++passes;
    }
    EXPECT_GE(MsSince(start), 290);
    EXPECT_LT(passes, 100);
    EXPECT_LT(static_cast<double>(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC, 100.0);
}

TEST_F(Lifecycle, SleepBlocksEvents) {
    form_.Clock.setInterval(5);
    platform_.show(form_);
    form_.ticks = 0;
    const auto start = Clock::now();
    platform_.sleep(60);
    EXPECT_GE(MsSince(start), 60);
    EXPECT_EQ(form_.ticks, 0);
    EXPECT_TRUE(PumpUntil([&] { return form_.ticks > 0; }));
}

TEST_F(Lifecycle, MessageBoxIsModalWithTheStylesIcon) {
    QString seenText, seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        seenTitle = box->windowTitle();
        seenIcon = box->icon();
        box->accept();
    });
    EXPECT_EQ(platform_.messageBox(u"信号太低", 64, u"Orvane测试工具"), ui::mb::Ok);
    EXPECT_EQ(seenText, QStringLiteral("信号太低"));
    EXPECT_EQ(seenTitle, QStringLiteral("Orvane测试工具"));
    EXPECT_EQ(seenIcon, QMessageBox::Information);
    QTimer::singleShot(0, [&] {
        seenIcon = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->icon();
        QApplication::activeModalWidget()->close();
    });
    platform_.messageBox(u"串口不能被打开:", 0, u"t");
    EXPECT_EQ(seenIcon, QMessageBox::NoIcon);
}

TEST_F(Lifecycle, WhatEscapesAHandlerIsOneLineOnStderr) {
    form_.Ok.Click = [] { throw std::runtime_error("port gone"); };
    platform_.show(form_);
    testing::internal::CaptureStderr();
    form_.Ok.userClick();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "lumetra: port gone\n");
}

}  // namespace
}  // namespace qttest
