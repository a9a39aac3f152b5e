#include <gtest/gtest.h>

#ifdef MODEM_SIM_PATH

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/posix/ModemSimProcess.h"
#include "tests/posix/OddSpeed.h"

namespace {

namespace fs = std::filesystem;

// A scratch directory of its own for each test.
class ModemSim : public ::testing::Test {
protected:
    ModemSim() {
        std::string tmpl = (fs::temp_directory_path() / "modemsim-XXXXXX").string();
        if (::mkdtemp(tmpl.data())) dir_ = tmpl;
    }
    ~ModemSim() override {
        if (fd_ >= 0) ::close(fd_);
        std::error_code ec;
        if (!dir_.empty()) fs::remove_all(dir_, ec);
    }

    // Opens the device as a console would: raw, 8N1, at the given speed.
    bool openDevice(const std::string& path, speed_t speed) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0) return false;
        termios t{};
        if (::tcgetattr(fd_, &t) != 0) return false;
        ::cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        ::cfsetispeed(&t, speed);
        ::cfsetospeed(&t, speed);
        return ::tcsetattr(fd_, TCSANOW, &t) == 0;
    }

    // Sends text and collects what comes back until `until` shows up or the
    // time runs out; with until empty, for the whole time.
    std::string exchange(const std::string& text, const std::string& until, int timeoutMs = 5000) {
        if (::write(fd_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return "<write failed>";
        std::string got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end && (until.empty() || got.find(until) == std::string::npos)) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            char buf[256];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n > 0) got.append(buf, static_cast<std::size_t>(n));
        }
        return got;
    }

    std::string path(const char* name) const { return (fs::path(dir_) / name).string(); }

    std::string dir_;
    int fd_ = -1;
};

TEST_F(ModemSim, AnswersLikeAModuleWithTheGivenOptions) {
    ModemSimProcess sim({"--csq", "17,3", "--pin", "sim-pin", "--delay-ms", "5"});
    const std::string device = sim.firstLine();
    ASSERT_FALSE(device.empty()) << sim.errors();
    ASSERT_TRUE(openDevice(device, B9600)) << device;
    EXPECT_EQ(exchange("AT+CSQ\r", "OK\r\n"), "AT+CSQ\r\r\n+CSQ: 17,3\r\n\r\nOK\r\n");
    EXPECT_EQ(exchange("AT+CPIN?\r\n", "OK\r\n"), "AT+CPIN?\r\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n");
    EXPECT_EQ(exchange("AT+CPIN=1234\r\n", "OK\r\n"), "AT+CPIN=1234\r\r\nOK\r\n");
    EXPECT_EQ(sim.stop(SIGTERM), 0);
}

TEST_F(ModemSim, AnswersOnlyAtItsSpeed) {
    ModemSimProcess sim({"--speed", "57600,14400"});
    const std::string device = sim.firstLine();
    ASSERT_TRUE(openDevice(device, B9600)) << device;
    EXPECT_EQ(exchange("ATE1V1\r\n", "", 600), "");
    ASSERT_TRUE(openDevice(device, B57600));
    EXPECT_EQ(exchange("ATE1V1\r\n", "OK\r\n"), "ATE1V1\r\r\nOK\r\n");
    // A rate with no Bxxx constant, set the way the console sets it.
    ASSERT_TRUE(SetOddSpeed(fd_, 14400));
    EXPECT_EQ(exchange("AT\r\n", "OK\r\n"), "AT\r\r\nOK\r\n");
    ASSERT_TRUE(SetOddSpeed(fd_, 28800));
    EXPECT_EQ(exchange("AT\r\n", "", 600), "");
}

TEST_F(ModemSim, GarbageAtTheWrongSpeedNeverSaysOk) {
    ModemSimProcess sim({"--wrong-speed", "garbage"});
    ASSERT_TRUE(openDevice(sim.firstLine(), B57600));
    const std::string junk = exchange("ATE1V1\r\n", "", 600);
    EXPECT_EQ(junk.size(), 8u);
    EXPECT_EQ(junk.find("OK"), std::string::npos);
}

TEST_F(ModemSim, LogsEveryCommandLineItUnderstood) {
    const std::string log = path("lines.log");
    std::ofstream(log) << "earlier run\n";
    ModemSimProcess sim({"--log", log});
    ASSERT_TRUE(openDevice(sim.firstLine(), B9600));
    exchange("AT+CSQ\r\n", "OK\r\n");
    exchange("ATD10086;\r\n", "OK\r\n");
    EXPECT_EQ(sim.stop(SIGTERM), 0);
    std::ifstream in(log);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_EQ(all.str(), "earlier run\nAT+CSQ\nATD10086;\n");
}

TEST_F(ModemSim, PlacesItsLinkAndRemovesItOnStop) {
    const std::string link = path("ttyGSM");
    ::symlink("/nonexistent/stale", link.c_str());  // left over from a crashed run
    ModemSimProcess sim({"--link", link});
    const std::string device = sim.firstLine();
    ASSERT_FALSE(device.empty()) << sim.errors();
    EXPECT_EQ(fs::read_symlink(link).string(), device);
    ASSERT_TRUE(openDevice(link, B9600));
    EXPECT_EQ(exchange("AT\r\n", "OK\r\n"), "AT\r\r\nOK\r\n");
    EXPECT_EQ(sim.stop(SIGINT), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST_F(ModemSim, LeavesAFileInTheLinksPlaceAlone) {
    const std::string link = path("ttyGSM");
    std::ofstream(link) << "keep me";
    ModemSimProcess sim({"--link", link});
    EXPECT_EQ(sim.firstLine(), "");
    EXPECT_EQ(sim.waitExit(), 1);
    EXPECT_NE(sim.errors().find(link), std::string::npos);
    std::ifstream in(link);
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "keep me");
}

TEST_F(ModemSim, HelpExitsCleanly) {
    ModemSimProcess sim({"--help"});
    EXPECT_EQ(sim.waitExit(), 0);
    const std::string text = sim.output();
    for (const char* option :
         {"--speed", "--csq", "--pin", "--clock", "--delay-ms", "--wrong-speed", "--link", "--log"})
        EXPECT_NE(text.find(option), std::string::npos) << option;
}

TEST_F(ModemSim, RefusesBadOptionsWithAMessage) {
    const std::vector<std::vector<std::string>> bad{
        {"--speed", "96x0"},   {"--speed", "9600,"}, {"--speed=0"},
        {"--csq", "40,99"},    {"--csq", "25"},      {"--csq", "25,8"},
        {"--pin", "maybe"},    {"--clock", "fast"},  {"--delay-ms", "-1"},
        {"--delay-ms", "1e3"}, {"--wrong-speed=x"},  {"--delay-ms"},
        {"--frobnicate"},      {"--link="},          {"--speed", "99999999999999999999"}};
    for (const auto& args : bad) {
        ModemSimProcess sim(args);
        EXPECT_EQ(sim.waitExit(), 2) << args[0];
        const std::string name = args[0].substr(0, args[0].find('='));
        EXPECT_NE(sim.errors().find(name), std::string::npos) << args[0];
        EXPECT_EQ(sim.output(), "") << args[0];
    }
}

}  // namespace

#endif  // MODEM_SIM_PATH
