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

}  // namespace
}  // namespace qttest
