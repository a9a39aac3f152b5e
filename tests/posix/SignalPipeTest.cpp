#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/posix/SignalPipe.h"

namespace {

// What a session manager sends joins the end under way; Ctrl+C pressed a
// second time is the user's way out of a program that does not end.
TEST(SignalPipeDeathTest, OnlyASecondCtrlCEndsAtOnce) {
    EXPECT_EXIT(
        {
            std::signal(SIGINT, SIG_DFL);  // a background job starts with it ignored
            platform::posix::SignalPipe pipe({SIGTERM, SIGHUP, SIGINT});
            for (int sig : {SIGTERM, SIGHUP, SIGINT}) std::raise(sig);
            std::fputs("still running", stderr);
            std::raise(SIGINT);
            std::_Exit(0);
        },
        testing::KilledBySignal(SIGINT), "still running");
}

}  // namespace
