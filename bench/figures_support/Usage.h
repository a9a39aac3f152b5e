#pragma once

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

namespace figures {

inline double MonoSeconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// User plus system time of this process; the far end is another process, so
// its writing is not charged to the console.
inline double CpuSeconds() {
    rusage r{};
    ::getrusage(RUSAGE_SELF, &r);
    auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return s(r.ru_utime) + s(r.ru_stime);
}

// Resident set now, in MB of 2^20 bytes.
inline double RssMb() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The highest resident set the process has had, in MB.
inline double PeakRssMb() {
    rusage r{};
    ::getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_maxrss) / 1024.0;
}

// Wall and CPU time from construction on.
class Span {
public:
    Span() : wall0_(MonoSeconds()), cpu0_(CpuSeconds()) {}
    double wall() const { return MonoSeconds() - wall0_; }
    double cpu() const { return CpuSeconds() - cpu0_; }
    // Share of one core, in percent.
    double percent() const {
        const double w = wall();
        const double c = cpu();
        return w > 0 ? 100.0 * c / w : 0.0;
    }

private:
    double wall0_;
    double cpu0_;
};

}  // namespace figures
