#include <QPushButton>

#include "platform/qt/TwipsScale.h"

#include "tests/qt/QtForm.h"

namespace qttest {
namespace {

// The test form: 6000 x 4500 twips outer at (1500, 1500), 15 twips a pixel.
class Geometry : public QtForm {
protected:
    QRect outer() { return view()->frameGeometry(); }
};

TEST_F(Geometry, TheWindowTakesTheModelsOuterBoundsAndReadsThemBackUnchanged) {
    EXPECT_EQ(outer(), QRect(100, 100, 400, 300));
    EXPECT_EQ(form_.width(), 6000.0f);
    EXPECT_EQ(form_.height(), 4500.0f);
    EXPECT_EQ(form_.resizes, 1);
    form_.setWidth(6007);  // 400.47 pixels: the window does not change, the twips stay
    form_.setLeft(2999);
    Pump(20);
    EXPECT_EQ(outer(), QRect(200, 100, 400, 300));
    EXPECT_EQ(form_.width(), 6007.0f);
    EXPECT_EQ(form_.left(), 2999.0f);
    view()->move(210, 100);  // the user drags the window: its size stays as the model has it
    // A busy machine can bring the move while the window still settles;
    // then it is taken only once it has stood a while.
    EXPECT_TRUE(PumpUntil([&] { return form_.left() == 3150.0f; }));
    EXPECT_EQ(form_.width(), 6007.0f);
    form_.setHeight(4800);
    Pump(20);
    EXPECT_EQ(outer().height(), 320);
}

TEST_F(Geometry, AUserResizeReportsTheOuterSizeAndRaisesResizeOnce) {
    const int before = form_.resizes;
    const QSize frameExtra = outer().size() - view()->size();
    view()->resize(view()->width() + 10, view()->height());
    const float wanted = static_cast<float>((view()->width() + frameExtra.width()) * 15);
    EXPECT_TRUE(PumpUntil([&] { return form_.width() == wanted; }));
    Pump(20);
    EXPECT_EQ(form_.width(), wanted);
    EXPECT_EQ(form_.height(), 4500.0f);
    EXPECT_EQ(form_.resizes, before + 1);
}

TEST_F(Geometry, AWindowMadeNormalByCodeReportsItsNormalBoundsAtOnce) {
    form_.setWindowState(ui::Maximized);
    ASSERT_TRUE(PumpUntil([&] { return view()->isMaximized() && form_.width() > 6000; }));
    form_.setWindowState(ui::Normal);
    EXPECT_EQ(form_.left(), 1500.0f);
    EXPECT_EQ(form_.top(), 1500.0f);
    EXPECT_EQ(form_.width(), 6000.0f);
    EXPECT_EQ(form_.height(), 4500.0f);
    Pump(20);
    EXPECT_FALSE(view()->isMaximized());
    EXPECT_EQ(outer(), QRect(100, 100, 400, 300));
    EXPECT_EQ(form_.width(), 6000.0f);
}

TEST_F(Geometry, AStateTheUserChoosesReachesTheModel) {
    view()->showMaximized();
    ASSERT_TRUE(PumpUntil([&] { return form_.windowState() == ui::Maximized; }));
    view()->showMinimized();
    ASSERT_TRUE(PumpUntil([&] { return form_.windowState() == ui::Minimized; }));
    view()->showNormal();
    ASSERT_TRUE(PumpUntil([&] { return form_.windowState() == ui::Normal; }));
}

// A window loaded maximized was given its normal bounds before it was
// shown: made normal, it stands on them, whatever its maximized frame.
TEST(GeometryStartedMaximized, ComesBackToItsNormalBounds) {
    platform::qt::QtPlatform platform(TestApp());
    TestForm form(platform);
    form.Load = [&] { form.setWindowState(ui::Maximized); };
    platform.show(form);
    QWidget* w = platform.viewOf(form);
    ASSERT_TRUE(PumpUntil([&] { return w->isMaximized() && form.width() > 6000; }));
    w->showNormal();  // as the window manager does it
    // The frame is first seen now, so the window may be sized once more.
    EXPECT_TRUE(PumpUntil([&] { return form.width() == 6000.0f && w->frameGeometry() == QRect(100, 100, 400, 300); }));
    EXPECT_EQ(w->frameGeometry(), QRect(100, 100, 400, 300));
    EXPECT_EQ(form.height(), 4500.0f);
    w->showMaximized();
    ASSERT_TRUE(PumpUntil([&] { return form.width() > 6000; }));
    form.setWindowState(ui::Normal);  // as the save stage does it: the normal bounds at once
    EXPECT_EQ(form.left(), 1500.0f);
    EXPECT_EQ(form.width(), 6000.0f);
    EXPECT_EQ(form.height(), 4500.0f);
    platform.unload(form);
}

// The About window: a fixed dialog frame, in front of the others.
class FixedDialog : public ::testing::Test {
protected:
    FixedDialog() : platform_(TestApp()), form_(platform_, false) {}
    ~FixedDialog() override {
        if (form_.loaded()) platform_.unload(form_);
    }
    platform::qt::QtPlatform platform_;
    TestForm form_;
};

TEST_F(FixedDialog, CannotBeResizedAndStaysOnTopWhenAsked) {
    form_.setTopMost(true);
    platform_.show(form_);
    Pump();
    QWidget* w = platform_.viewOf(form_);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    form_.setTopMost(false);
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(form_.width(), 6000.0f);
}

}  // namespace
}  // namespace qttest
