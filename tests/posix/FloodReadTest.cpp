#include <atomic>
#include <string>
#include <thread>

#include "tests/posix/PtyPortFixture.h"

namespace {

using FloodRead = posixtest::PtyPortFixture;

// The far end sends without pause. Each read hands over what the terminal
// held when it was asked, never the stream that keeps coming meanwhile: the
// line discipline holds 4096 bytes for a reader at most. In order, nothing lost.
TEST_F(FloodRead, AReadTakesWhatWaitedNotWhatKeepsComing) {
    port.setPortOpen(true);
    std::string sent(512 * 1024, '\0');
    unsigned seed = 1;
    for (auto& c : sent) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
    std::thread far([&] { pty.write(sent); });
    std::string got;
    std::size_t largest = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (got.size() < sent.size() && std::chrono::steady_clock::now() < deadline) {
        const std::vector<std::uint8_t> bytes = port.input();
        largest = std::max(largest, bytes.size());
        got.append(bytes.begin(), bytes.end());
        if (bytes.empty()) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    far.join();
    EXPECT_LE(largest, 4096u);
    EXPECT_GT(largest, 0u);
    EXPECT_TRUE(got == sent) << got.size() << " of " << sent.size();
}

}  // namespace
