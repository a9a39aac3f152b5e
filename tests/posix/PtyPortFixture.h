#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/PosixCommControl.h"
#include "tests/posix/PtyPair.h"
#include "tests/support/MemoryProfile.h"
#include "ui/Error.h"

namespace posixtest {

// Port 1 of a settings file that maps COM1 to the slave of a fresh pty.
class PtyPortFixture : public ::testing::Test {
protected:
    PtyPortFixture() { profile.set("Ports", "COM1", pty.slavePath(), IniPath); }

    static constexpr const char* IniPath = "/opt/lumetra/Lumetra.ini";

    // The error number a call raised, 0 when it raised none.
    template <class Call>
    static int ErrorOf(Call call) {
        try {
            call();
        } catch (const ui::Error& e) {
            return e.number();
        }
        return 0;
    }

    // Polls as the console's tick does until `n` bytes have come in.
    std::string receive(std::size_t n, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::string got;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (got.size() < n && std::chrono::steady_clock::now() < deadline) {
            if (port.inBufferCount() > 0) {
                const std::vector<std::uint8_t> bytes = port.input();
                got.append(bytes.begin(), bytes.end());
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        return got;
    }

    PtyPair pty;
    testsupport::MemoryProfile profile;
    platform::posix::PosixCommControl port{profile, IniPath};
};

}  // namespace posixtest
