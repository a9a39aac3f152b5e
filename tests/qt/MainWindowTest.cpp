#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "tests/qt/QtConsole.h"
#include "tests/qt/QtHelpers.h"

namespace qttest {
namespace {

QColor Rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

class MainWindow : public QtConsole {
protected:
    // The design size, so the whole left column shows.
    void SetUp() override {
        profile_.set("Point", "Width", "8115");
        profile_.set("Point", "Height", "9600");
        profile_.set("Point", "Left", "600");
        profile_.set("Point", "Top", "450");
        load();
    }
};

TEST_F(MainWindow, EveryControlIsItsStandardWidgetAtItsTwipsInPixels) {
    ASSERT_NE(view(), nullptr);
    EXPECT_TRUE(view()->isVisible());
    EXPECT_EQ(view()->windowTitle(), QStringLiteral("设备测试程序  版本 V1.12"));
    int checked = 0;
    for (ui::Control* c : form().controls()) {
        if (c->kind() == ui::Kind::Timer) continue;
        QWidget* w = view()->findChild<QWidget*>(platform::qt::FormView::objectNameOf(*c));
        ASSERT_NE(w, nullptr) << platform::qt::FormView::objectNameOf(*c).toStdString();
        EXPECT_EQ(w->geometry(), pixels(*c)) << w->objectName().toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, 37);
    // Fixed places of the left column at 15 twips a pixel.
    EXPECT_EQ(widget<QComboBox>("ComboPort")->geometry(), QRect(8, 8, 88, 21));
    EXPECT_EQ(widget<QPushButton>("ComStartStop")->geometry(), QRect(8, 56, 89, 25));
    EXPECT_EQ(widget<QPushButton>("ComDial_10")->geometry(), QRect(40, 324, 25, 21));
    EXPECT_EQ(widget<QPushButton>("ComDial_10")->text(), QStringLiteral("0"));
    EXPECT_EQ(widget<QCheckBox>("CheckDisplay")->geometry(), QRect(8, 472, 93, 17));
}

TEST_F(MainWindow, ClosedStateShowsItsTextsAndColours) {
    auto* dtr = widget<QLabel>("LabelDTR");
    EXPECT_EQ(dtr->text(), QStringLiteral("  DTR"));
    EXPECT_EQ(dtr->toolTip(), QStringLiteral("改变DTR的状态"));
    EXPECT_EQ(dtr->palette().color(QPalette::Window), Rgb(255, 255, 192));
    EXPECT_EQ(widget<QLabel>("Label3")->palette().color(QPalette::Window), Rgb(128, 128, 255));
    EXPECT_EQ(widget<QLineEdit>("TextSend")->palette().color(QPalette::Base), Rgb(255, 255, 0));
    EXPECT_EQ(widget<QComboBox>("ComboSpeed")->count(), 18);
    EXPECT_EQ(widget<QComboBox>("ComboSpeed")->itemText(9), QStringLiteral("9600bps"));
    EXPECT_EQ(widget<QCheckBox>("CheckDisplay")->palette().color(QPalette::Active, QPalette::WindowText),
              Rgb(0, 0, 255));
    auto* out = widget<QPlainTextEdit>("TextOut");
    EXPECT_FALSE(out->isEnabled());
    EXPECT_EQ(out->toPlainText(), QStringLiteral("请先打开端口!"));
    EXPECT_TRUE(widget<QPlainTextEdit>("RTextBuf")->toPlainText().isEmpty());
    EXPECT_EQ(widget<QLineEdit>("TextPIN")->maxLength(), 4);
    EXPECT_EQ(widget<QLineEdit>("TextNumber")->text(), QStringLiteral("10086"));
}

TEST_F(MainWindow, TabMovesInTheOrderOfTheTabIndexes) {
    QStringList order;
    QWidget* start = widget<QWidget>("ComboPort");
    QWidget* w = start;
    do {
        if (w->parentWidget() == view() && (w->focusPolicy() & Qt::TabFocus)) order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start && order.size() < 60);
    ASSERT_EQ(order.size(), 29);
    EXPECT_EQ(order.mid(0, 8), QStringList({"ComboPort", "ComboSpeed", "ComStartStop", "CheckDisplay", "TextOut",
                                            "RTextBuf", "TextSend", "TextReceive"}));
    EXPECT_EQ(order.mid(8, 4), QStringList({"ComVersion", "ComSignal", "ComPIN", "TextPIN"}));
    EXPECT_EQ(order.mid(27), QStringList({"ComCallID", "Comcops"}));
}

// What the user sees, saved for a look by eye; the painted colours are checked here.
TEST_F(MainWindow, RendersOnTheOffscreenPlatform) {
    const QImage shot = view()->grab().toImage();
    ASSERT_TRUE(shot.save(QStringLiteral(LUMETRA_BUILD_DIR "/main-window.png")));
    const QRect dtr = widget<QLabel>("LabelDTR")->geometry();
    EXPECT_EQ(shot.pixelColor(dtr.right() - 3, dtr.center().y()), Rgb(255, 255, 192));
    const QRect send = widget<QLabel>("Label3")->geometry();
    EXPECT_EQ(shot.pixelColor(send.right() - 1, send.bottom() - 1), Rgb(128, 128, 255));
    EXPECT_EQ(shot.pixelColor(3, 3), Rgb(0, 0, 255));  // the form's own background
    const QRect check = widget<QCheckBox>("CheckDisplay")->geometry();
    EXPECT_EQ(shot.pixelColor(check.right() - 1, check.top() + 1), Rgb(128, 128, 255));
}

TEST_F(MainWindow, TheOuterSizeReadsBackInTwipsAsSet) {
    EXPECT_EQ(form().width(), 8115.0f);
    EXPECT_EQ(form().height(), 9600.0f);
    EXPECT_EQ(form().left(), 600.0f);
    EXPECT_EQ(form().top(), 450.0f);
    EXPECT_EQ(view()->frameGeometry(), QRect(40, 30, 541, 640));
}

}  // namespace
}  // namespace qttest
