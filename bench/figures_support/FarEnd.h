#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "bench/figures_support/Usage.h"

namespace figures {

// The module's end of the line: the master of a pseudo-terminal held by a
// child process, so that what it costs to write is not charged to the
// console. Commands travel over a socket: "a" answers like a module (echo,
// then OK after each CR), "f N" writes N bytes as fast as the line takes
// them, "p N R" writes N bytes at R bytes a second. Closing the socket ends it.
class FarEnd {
public:
    // Forks the child; call while the process has one thread.
    static FarEnd start() {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) throw std::runtime_error("no pty");
        const std::string slave = ::ptsname(master);
        int sv[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, sv) != 0) throw std::runtime_error("no socketpair");
        const pid_t pid = ::fork();
        if (pid < 0) throw std::runtime_error("fork failed");
        if (pid == 0) {
            ::close(sv[0]);
            Serve(master, sv[1], slave);
            ::_exit(0);
        }
        ::close(sv[1]);
        ::close(master);
        return FarEnd(sv[0], pid, slave);
    }

    // The parent side again after exec: "fd:pid:path".
    static FarEnd fromText(const std::string& text) {
        int fd = -1;
        int pid = -1;
        char path[256] = {};
        if (std::sscanf(text.c_str(), "%d:%d:%255s", &fd, &pid, path) != 3) throw std::runtime_error("bad far end");
        return FarEnd(fd, pid, path);
    }

    std::string toText() const { return std::to_string(ctl_) + ":" + std::to_string(pid_) + ":" + slave_; }
    const std::string& slavePath() const { return slave_; }

    void answer() { command("a\n"); }
    void flood(std::uint64_t bytes) { command("f " + std::to_string(bytes) + "\n"); }
    void pace(std::uint64_t bytes, double rate) {
        command("p " + std::to_string(bytes) + " " + std::to_string(rate) + "\n");
    }

    void stop() {
        if (ctl_ < 0) return;
        ::close(ctl_);
        ctl_ = -1;
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }

private:
    FarEnd(int ctl, pid_t pid, std::string slave) : ctl_(ctl), pid_(pid), slave_(std::move(slave)) {}

    void command(const std::string& line) {
        if (::write(ctl_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
            throw std::runtime_error("far end gone");
    }

    struct Job {
        bool answering = true;
        std::uint64_t total = 0;
        std::uint64_t sent = 0;
        double rate = 0;  // 0: as fast as the line takes it
        double since = 0;
    };

    // The child keeps a descriptor of the slave too: without one, the master
    // reports a hang-up until the console opens the port, and poll spins.
    static void Serve(int master, int ctl, const std::string& slave) {
        const int keep = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        Job job;
        std::string pending;
        for (;;) {
            // A flood waits for room on the line; a paced job wakes each millisecond.
            const bool sending = job.sent < job.total;
            const bool flooding = sending && job.rate <= 0;
            pollfd p[2] = {{ctl, POLLIN, 0}, {master, static_cast<short>(POLLIN | (flooding ? POLLOUT : 0)), 0}};
            const int timeout = sending && !flooding ? 1 : -1;
            if (::poll(p, 2, timeout) < 0 && errno != EINTR) break;
            if ((p[0].revents & (POLLIN | POLLHUP)) && !readCommands(ctl, pending, job)) break;
            if (p[1].revents & POLLIN) hear(master, job);
            if (job.sent < job.total) send(master, job);
        }
        if (keep >= 0) ::close(keep);
        ::close(master);
    }

    static bool readCommands(int ctl, std::string& pending, Job& job) {
        char buf[256];
        const ssize_t n = ::read(ctl, buf, sizeof buf);
        if (n <= 0) return false;
        pending.append(buf, static_cast<std::size_t>(n));
        for (std::size_t eol; (eol = pending.find('\n')) != std::string::npos; pending.erase(0, eol + 1)) {
            const std::string line = pending.substr(0, eol);
            unsigned long long bytes = 0;
            double rate = 0;
            if (line == "a") {
                job.answering = true;
            } else if (std::sscanf(line.c_str(), "f %llu", &bytes) == 1 ||
                       std::sscanf(line.c_str(), "p %llu %lf", &bytes, &rate) == 2) {
                job = Job{false, bytes, 0, line[0] == 'p' ? rate : 0.0, MonoSeconds()};
            }
        }
        return true;
    }

    // A module echoes what it hears and answers each command line.
    static void hear(int master, const Job& job) {
        char buf[4096];
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n <= 0 || !job.answering) return;
        std::string reply(buf, static_cast<std::size_t>(n));
        if (reply.find('\r') != std::string::npos) reply += "\r\nOK\r\n";
        (void)!::write(master, reply.data(), reply.size());
    }

    // Printable lines, the same in text and in hex display.
    static void send(int master, Job& job) {
        static const std::string lines = [] {
            std::string s;
            while (s.size() < 65536) s += "+CSQ: 25,99 0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnop\r\n";
            return s;
        }();
        std::uint64_t allowed = job.total - job.sent;
        if (job.rate > 0) {
            const auto due = static_cast<std::uint64_t>(job.rate * (MonoSeconds() - job.since));
            allowed = std::min(allowed, due > job.sent ? due - job.sent : 0);
        }
        const std::size_t at = static_cast<std::size_t>(job.sent % 1024);
        const std::size_t len = static_cast<std::size_t>(std::min<std::uint64_t>(allowed, lines.size() - at));
        if (len == 0) return;
        const ssize_t n = ::write(master, lines.data() + at, len);
        if (n > 0) job.sent += static_cast<std::uint64_t>(n);
    }

    int ctl_;
    pid_t pid_;
    std::string slave_;
};

}  // namespace figures
