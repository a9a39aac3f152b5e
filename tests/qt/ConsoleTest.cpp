#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <chrono>

#include "about/frmAbout.h"
#include "tests/qt/QtConsole.h"
#include "tests/qt/QtHelpers.h"

namespace qttest {
namespace {

class Console : public QtConsole {
protected:
    void open() {
        load();
        form().ComboPort.userSelect(0);
        form().ComboSpeed.userSelect(9);
        form().ComStartStop.userClick();
        ASSERT_TRUE(form().PortIsOpen);
    }
    QWidget* aboutWindow() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmAbout") && w->isVisible()) return w;
        return nullptr;
    }
};

// The poll tick rewrites the line labels every 5 ms with the same values.
TEST_F(Console, ThePollTickRepaintsNothingThatDidNotChange) {
    open();
    Pump(50);
    PaintCounter dtr(widget<QLabel>("LabelDTR"));
    PaintCounter cts(widget<QLabel>("LabelCTS"));
    Pump(300);
    EXPECT_EQ(dtr.count, 0);
    EXPECT_EQ(cts.count, 0);
}

TEST_F(Console, ACommandWaitsWithTheWindowRefusingInput) {
    open();
    Pump(20);
    port_.deliverText("\r\n+CSQ: 20,0\r\n\r\nOK\r\n");
    bool pressedDuringWait = true;
    QTimer::singleShot(0, [&] {  // runs in the wait's first pass of events
        auto* button = widget<QPushButton>("ComHandOff");
        Mouse(button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
        pressedDuringWait = button->isDown();
        Mouse(button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    });
    const auto start = std::chrono::steady_clock::now();
    form().SendCommand(u"AT+CSQ");
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(290));
    EXPECT_FALSE(pressedDuringWait);
    EXPECT_TRUE(form().enabled());
    EXPECT_EQ(port_.written(), "AT+CSQ\r\n");
    EXPECT_EQ(widget<QPlainTextEdit>("RTextBuf")->toPlainText().count(QStringLiteral("OK")), 1);
}

// Nothing is painted while the thread sleeps: a reply still waiting for its
// frame when a command's wait ends is shown and painted before the pause.
TEST_F(Console, APauseAfterACommandShowsTheReplyThatCameLast) {
    open();
    PacerOf(*view(), form().RTextBuf).setClock([] { return std::int64_t{1} << 40; });  // no frame ends by itself
    port_.deliverText("AT\r");  // the first change after a quiet spell shows at once
    QTimer::singleShot(100, [&] { port_.deliverText("\r\nOK\r\n"); });
    form().SendCommand(u"AT");
    auto* pane = widget<QPlainTextEdit>("RTextBuf");
    ASSERT_EQ(form().RTextBuf.text(), u"AT\r\r\nOK\r\n");
    ASSERT_FALSE(pane->toPlainText().contains(QStringLiteral("OK")));
    PaintCounter paints(pane->viewport());
    platform_.sleep(1);
    EXPECT_TRUE(pane->toPlainText().contains(QStringLiteral("OK")));
    EXPECT_GE(paints.count, 1);
}

TEST_F(Console, ADoubleClickOnTheBackgroundOpensTheAboutWindowInFront) {
    load();
    QWidget* main = view();
    Mouse(main, QEvent::MouseButtonDblClick, QPoint(4, main->height() - 4), Qt::LeftButton, Qt::LeftButton);
    Pump(20);
    QWidget* about = aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("关于 Orvane测试工具"));
    EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("版本 1.1.2"));
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    const QImage shot = about->grab().toImage();
    EXPECT_TRUE(shot.save(QStringLiteral(LUMETRA_BUILD_DIR "/about-window.png")));
    // The grey rule shows above the white one; black text stays black whatever the theme.
    EXPECT_EQ(shot.pixelColor(100, platform_.scale().toPixels(2445.0f)), QColor(128, 128, 128));
    const QPalette text = about->findChild<QLabel*>("lblDescription")->palette();
    EXPECT_TRUE(text.isBrushSet(QPalette::Active, QPalette::WindowText));
    EXPECT_TRUE(about->findChild<QPushButton*>("cmdOK")->isDefault());

    platform_.unload(form());  // the main window goes; the About window stays
    EXPECT_EQ(aboutWindow(), about);
    Type(about, Qt::Key_Escape, "\x1b");  // its OK button is the cancel button
    EXPECT_TRUE(PumpUntil([&] { return aboutWindow() == nullptr; }));
}

// The close box unloads the main window (its settings are saved); an open
// About window keeps the program running until it is closed too.
TEST_F(Console, TheProgramEndsWhenItsLastWindowCloses) {
    load();
    form().userDblClick();
    QWidget* about = aboutWindow();
    ASSERT_NE(about, nullptr);
    bool aboutOutlivedMain = false;
    QTimer::singleShot(30, [&] { view()->close(); });
    QTimer::singleShot(80, [&] {
        aboutOutlivedMain = !form().loaded() && aboutWindow() == about;
        about->close();
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QApplication::setQuitOnLastWindowClosed(true);
    const int rc = QCoreApplication::exec();
    QApplication::setQuitOnLastWindowClosed(false);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(aboutOutlivedMain);
    EXPECT_FALSE(form().loaded());
    EXPECT_EQ(profile_.value("Point", "Width"), "8000");  // saved on the way out
}

}  // namespace
}  // namespace qttest
