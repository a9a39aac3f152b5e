#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/OutputQueue.h"

namespace {

using platform::posix::OutputQueue;

// A non-blocking pipe takes a bounded amount, like a tty whose line is busy.
class OutputQueueTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::pipe2(fds_, O_NONBLOCK | O_CLOEXEC), 0); }
    void TearDown() override {
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    std::string drain() {
        std::string out;
        char buf[65536];
        ssize_t n;
        while ((n = ::read(fds_[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
        return out;
    }
    static std::string Pattern(std::size_t n, unsigned seed) {
        std::string s(n, '\0');
        for (auto& c : s) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
        return s;
    }
    int fds_[2] = {-1, -1};
};

TEST_F(OutputQueueTest, WhatTheKernelRefusesWaitsAndLeavesInOrderLater) {
    const std::string first = Pattern(300000, 1), second = Pattern(200000, 2);
    OutputQueue q;
    q.append(first);
    EXPECT_EQ(q.flushTo(fds_[1]), 0);  // full is not a failure
    EXPECT_GT(q.size(), 0u);
    EXPECT_LT(q.size(), first.size());
    q.append(second);
    std::string got;
    for (int round = 0; round < 100 && !q.empty(); ++round) {
        got += drain();
        EXPECT_EQ(q.flushTo(fds_[1]), 0);
    }
    got += drain();
    EXPECT_TRUE(q.empty());
    EXPECT_TRUE(got == first + second) << "bytes lost, doubled or reordered";
}

TEST_F(OutputQueueTest, AFailedWriteKeepsEveryByteAndReportsItsErrno) {
    OutputQueue q;
    q.append("AT\r");
    EXPECT_EQ(q.flushTo(-1), EBADF);
    EXPECT_EQ(q.size(), 3u);
    EXPECT_EQ(q.flushTo(fds_[1]), 0);
    EXPECT_EQ(drain(), "AT\r");
    q.append("x");
    q.clear();
    EXPECT_TRUE(q.empty());
    EXPECT_EQ(q.flushTo(fds_[1]), 0);
    EXPECT_EQ(drain(), "");
}

}  // namespace
