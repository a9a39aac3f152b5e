#include <QApplication>
#include <QTimer>
#include <csignal>

#include "platform/qt/SessionEnd.h"
#include "tests/qt/QtForm.h"

namespace qttest {
namespace {

class SessionEndTest : public QtForm {};

// A termination signal that arrives while a handler waits (pumping events
// as a command's wait does) unloads the form only once the handler is done.
TEST_F(SessionEndTest, ASignalUnloadsTheFormOnceTheRunningHandlerReturns) {
    platform::qt::SessionEnd end(platform_, form_);
    bool loadedAfterWait = false;
    form_.Ok.Click = [&] {
        std::raise(SIGTERM);
        for (int i = 0; i < 20; ++i) {
            QCoreApplication::processEvents();
            Pump(5);
        }
        loadedAfterWait = form_.loaded();
    };
    form_.Ok.userClick();
    EXPECT_TRUE(loadedAfterWait);
    ASSERT_TRUE(PumpUntil([&] { return !form_.loaded(); }));
    EXPECT_EQ(form_.unloads, 1);
}

// A signal while a handler's message box is open answers it as OK would; a
// box the handler opens after that takes the same answer unseen, so the end
// never waits for a user who has gone. It leaves the main loop, as at logout.
TEST_F(SessionEndTest, ASignalAnswersTheHandlersMessageBoxes) {
    platform::qt::SessionEnd end(platform_, form_);
    int answers = 0, unanswered = 0;
    QTimer stuck;
    QObject::connect(&stuck, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close(), ++unanswered;
    });
    stuck.start(3000);
    form_.Ok.Click = [&] {
        QTimer::singleShot(50, [] { std::raise(SIGTERM); });
        for (const char16_t* text : {u"first", u"second"})
            answers += platform_.messageBox(text, ui::mb::Information, u"") == ui::mb::Ok;
    };
    QTimer::singleShot(0, [&] { form_.Ok.userClick(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(unanswered, 0);
    EXPECT_EQ(answers, 2);
    EXPECT_EQ(form_.unloads, 1);
}

}  // namespace
}  // namespace qttest
