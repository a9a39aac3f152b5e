#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "console/SplitterCursor.h"
#include "platform/qt/CursorFactory.h"
#include "tests/qt/QtForm.h"

namespace qttest {
namespace {

class Input : public QtForm {
protected:
    void click(QWidget* w, QPoint at = QPoint(5, 5)) {
        Mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    void doubleClick(QWidget* w, QPoint at = QPoint(5, 5)) {
        click(w, at);
        Mouse(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
};

TEST_F(Input, ClicksReachTheModel) {
    click(widget<QPushButton>("Ok"));
    click(widget<QLabel>("Caption"));
    click(widget<QCheckBox>("Check"));
    EXPECT_EQ(form_.okClicks, 1);
    EXPECT_EQ(form_.labelClicks, 1);
    EXPECT_EQ(form_.Check.value(), 1);
    EXPECT_EQ(form_.checkClicks, 1);
    auto* combo = widget<QComboBox>("Combo");
    combo->activated(2);
    EXPECT_EQ(form_.Combo.listIndex(), 2);
    EXPECT_EQ(form_.comboClicks, 1);
    Type(combo, Qt::Key_Up, "");  // keys pick too, with one Click
    EXPECT_EQ(form_.comboClicks, 2);
    combo->activated(1);          // the entry shown, picked again
    form_.Combo.setListIndex(1);  // code re-selecting it raises nothing
    EXPECT_EQ(form_.comboClicks, 3);
}

TEST_F(Input, ADoubleClickOnTheBackgroundIsTheFormsAndOnAControlIsNot) {
    doubleClick(widget<QPushButton>("Ok"));
    doubleClick(widget<QLabel>("Caption"));
    EXPECT_EQ(form_.dblClicks, 0);
    EXPECT_EQ(form_.labelClicks, 1);  // a double click is one Click
    doubleClick(view(), QPoint(300, 5));
    EXPECT_EQ(form_.dblClicks, 1);
}

// While a command waits the form is disabled: nothing the user does gets
// through, but nothing greys and the timers go on.
TEST_F(Input, ADisabledFormRefusesInputButKeepsTicking) {
    form_.Clock.setInterval(10);
    form_.Box.setText(u"ab");
    form_.setEnabled(false);
    Mouse(widget<QPushButton>("Ok"), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(widget<QPushButton>("Ok")->isDown());
    click(widget<QPushButton>("Ok"));
    click(widget<QLabel>("Caption"));
    click(widget<QCheckBox>("Check"));
    Type(widget<QLineEdit>("Box"), Qt::Key_Home, "");
    Type(widget<QLineEdit>("Box"), Qt::Key_Delete, "\x7f");
    TypeText(widget<QLineEdit>("Box"), "cd");
    doubleClick(view(), QPoint(300, 5));
    view()->close();
    EXPECT_TRUE(PumpUntil([&] { return form_.ticks >= 3; }));
    EXPECT_EQ(form_.okClicks + form_.labelClicks + form_.checkClicks + form_.dblClicks, 0);
    EXPECT_FALSE(widget<QCheckBox>("Check")->isChecked());
    EXPECT_TRUE(form_.boxKeys.empty());
    EXPECT_EQ(form_.Box.text(), u"ab");
    EXPECT_EQ(widget<QLineEdit>("Box")->text(), QStringLiteral("ab"));
    EXPECT_TRUE(form_.loaded());
    EXPECT_TRUE(view()->isVisible());
    EXPECT_TRUE(widget<QPushButton>("Ok")->isEnabled());
    form_.setEnabled(true);
    click(widget<QPushButton>("Ok"));
    EXPECT_EQ(form_.okClicks, 1);
}

TEST_F(Input, ALabelDragReportsButtonsKeysAndTwipsBeyondTheLabel) {
    auto* bar = widget<QLabel>("Bar");  // 4 pixels high
    Mouse(bar, QEvent::MouseMove, QPoint(10, 2), Qt::NoButton, Qt::NoButton);
    Mouse(bar, QEvent::MouseButtonPress, QPoint(10, 2), Qt::LeftButton, Qt::LeftButton);
    Mouse(bar, QEvent::MouseMove, QPoint(12, 40), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    Mouse(bar, QEvent::MouseMove, QPoint(12, -20), Qt::NoButton, Qt::LeftButton | Qt::RightButton,
          Qt::ShiftModifier | Qt::AltModifier);
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(12, -20), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(form_.moves.size(), 3u);
    EXPECT_EQ(form_.moves[0].button, 0);
    EXPECT_FLOAT_EQ(form_.moves[0].x, 150.0f);
    EXPECT_FLOAT_EQ(form_.moves[0].y, 30.0f);
    EXPECT_EQ(form_.moves[1].button, 1);
    EXPECT_EQ(form_.moves[1].shift, 2);
    EXPECT_FLOAT_EQ(form_.moves[1].y, 600.0f);
    EXPECT_EQ(form_.moves[2].button, 3);
    EXPECT_EQ(form_.moves[2].shift, 5);
    EXPECT_FLOAT_EQ(form_.moves[2].y, -300.0f);
}

TEST_F(Input, ALabelShowsItsOwnPointer) {
    auto* bar = widget<QLabel>("Bar");
    EXPECT_FALSE(bar->testAttribute(Qt::WA_SetCursor));
    const auto icon = console::SplitterCursor();
    form_.Bar.setMouseIcon(icon);
    ASSERT_TRUE(bar->testAttribute(Qt::WA_SetCursor));
    const QCursor cursor = bar->cursor();
    EXPECT_EQ(cursor.hotSpot(), QPoint(icon->hotX, icon->hotY));
    const QImage bits = cursor.bitmap().toImage();
    const QImage mask = cursor.mask().toImage();
    for (int y = 0; y < icon->height; ++y) {
        for (int x = 0; x < icon->width; ++x) {
            const auto p = icon->pixels[static_cast<std::size_t>(y * icon->width + x)];
            EXPECT_EQ(mask.pixelColor(x, y) == Qt::black, p != ui::Cursor::Clear) << x << "," << y;
            EXPECT_EQ(bits.pixelColor(x, y) == Qt::black, p == ui::Cursor::Black) << x << "," << y;
        }
    }
    form_.Bar.setMouseIcon(nullptr);
    EXPECT_FALSE(bar->testAttribute(Qt::WA_SetCursor));
}

}  // namespace
}  // namespace qttest
