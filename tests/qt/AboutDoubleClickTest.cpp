#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "about/frmAbout.h"
#include "tests/qt/QtConsole.h"
#include "tests/qt/QtHelpers.h"

namespace qttest {
namespace {

// The About window opened the way the user opens it: a double click, as the
// window system delivers one, on the main window. (The picture of the About
// window is saved by the console's own test.)
class AboutDoubleClick : public QtConsole {
protected:
    void SetUp() override { load(); }
    // An About window still open when the main window's form goes would
    // outlive the model it draws.
    void TearDown() override {
        for (QWidget* w : aboutWindows())
            if (auto* view = dynamic_cast<platform::qt::FormView*>(w); view && view->attached())
                platform_.unload(view->form());
    }

    // Press, release, double click, release at a point of the main window,
    // through its window so the toolkit picks the receiver.
    void doubleClick(QPoint at) {
        QWidget* main = view();
        Mouse(main, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(main, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        Mouse(main, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(main, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        Pump(20);
    }
    void doubleClickOn(const char* control) {
        QWidget* w = widget<QWidget>(control);
        ASSERT_NE(w, nullptr) << control;
        ASSERT_TRUE(w->isEnabled()) << control;
        doubleClick(w->geometry().center());
    }
    // A point of the form's own background, clear of every control.
    QPoint background() {
        const QPoint at(4, view()->height() - 4);
        EXPECT_EQ(view()->childAt(at), nullptr);
        return at;
    }

    static std::vector<QWidget*> aboutWindows() {
        std::vector<QWidget*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmAbout") && w->isVisible()) found.push_back(w);
        return found;
    }
    static QWidget* aboutWindow() {
        const auto found = aboutWindows();
        return found.size() == 1 ? found.front() : nullptr;
    }
    static about::frmAbout* aboutForm(QWidget* window) {
        auto* view = dynamic_cast<platform::qt::FormView*>(window);
        return view ? dynamic_cast<about::frmAbout*>(&view->form()) : nullptr;
    }
    static void expectLoaded(QWidget* about) {
        EXPECT_EQ(about->windowTitle(), QStringLiteral("关于 Orvane测试工具"));
        EXPECT_EQ(about->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("Orvane测试工具"));
        EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("版本 1.1.2"));
        EXPECT_TRUE(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
};

TEST_F(AboutDoubleClick, TheBackgroundOpensItOnceAndOkClosesIt) {
    doubleClick(background());
    QWidget* about = aboutWindow();
    ASSERT_NE(about, nullptr);
    expectLoaded(about);
    about::frmAbout* form = aboutForm(about);
    ASSERT_NE(form, nullptr);

    // Open already: brought forward, not loaded again.
    form->lblVersion.setCaption(u"标记");
    view()->activateWindow();
    ASSERT_TRUE(PumpUntil([&] { return QApplication::activeWindow() == view(); }));
    doubleClick(background());
    EXPECT_EQ(aboutWindows(), std::vector<QWidget*>{about});
    EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("标记"));
    EXPECT_TRUE(PumpUntil([&] { return QApplication::activeWindow() == about; }));

    auto* ok = about->findChild<QPushButton*>("cmdOK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("确定"));
    Mouse(ok, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    Mouse(ok, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    ASSERT_TRUE(PumpUntil([] { return aboutWindows().empty(); }));
    EXPECT_FALSE(form->loaded());

    doubleClick(background());  // loads afresh: the captions and the top-most state again
    QWidget* again = aboutWindow();
    ASSERT_NE(again, nullptr);
    expectLoaded(again);
    EXPECT_EQ(aboutForm(again), form);
}

TEST_F(AboutDoubleClick, AnEnabledControlKeepsItsDoubleClick) {
    for (const char* control : {"ComSignal", "ComDial_4", "RTextBuf", "TextNumber"}) {
        doubleClickOn(control);
        EXPECT_TRUE(aboutWindows().empty()) << control;
    }
    EXPECT_EQ(widget<QPushButton>("ComSignal")->text(), QStringLiteral("信号"));
    EXPECT_TRUE(port_.written().empty());  // the closed port stayed untouched
    doubleClick(background());
    EXPECT_NE(aboutWindow(), nullptr);
}

// Its light background is its own, so the text on it stays black when the
// desktop's theme is dark.
TEST_F(AboutDoubleClick, LabelsWithoutAColourStayBlackInADarkTheme) {
    struct Theme {
        QPalette saved = QApplication::palette();
        ~Theme() { QApplication::setPalette(saved); }
    } theme;
    QPalette dark(QColor(45, 45, 45));  // light text on dark windows
    QApplication::setPalette(dark);
    doubleClick(background());
    QWidget* about = aboutWindow();
    ASSERT_NE(about, nullptr);
    for (const char* label : {"lblVersion", "Label1"})
        EXPECT_EQ(about->findChild<QLabel*>(label)->palette().color(QPalette::WindowText), QColor(0, 0, 0)) << label;
}

}  // namespace
}  // namespace qttest
