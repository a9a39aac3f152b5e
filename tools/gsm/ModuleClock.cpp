#include "tools/gsm/ModuleClock.h"

namespace gsm {

namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kCenturyDays = 36525;  // 2000 to 2099: 25 leap years

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

int DaysInYear(int year) {
    return IsLeap(year) ? 366 : 365;
}

// Two decimal digits at pos, or -1.
int TwoDigits(std::string_view s, std::size_t pos) {
    if (pos + 2 > s.size()) return -1;
    const char a = s[pos], b = s[pos + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    return (a - '0') * 10 + (b - '0');
}

std::string Two(std::int64_t v) {
    return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

bool SeparatorsAt(std::string_view s) {
    return s.size() >= 17 && s[2] == '/' && s[5] == '/' && s[8] == ',' && s[11] == ':' && s[14] == ':';
}

bool IsZone(std::string_view zone) {
    if (zone.empty()) return true;
    if (zone.size() != 3 || (zone[0] != '+' && zone[0] != '-')) return false;
    const int quarters = TwoDigits(zone, 1);
    return quarters >= 0 && quarters <= 96;
}

}  // namespace

ModuleClock::ModuleClock(ClockMode mode) : mode_(mode) {}

std::optional<std::int64_t> ModuleClock::Parse(std::string_view text) {
    if (text.size() != 17 || !SeparatorsAt(text)) return std::nullopt;
    const int yy = TwoDigits(text, 0), month = TwoDigits(text, 3), day = TwoDigits(text, 6);
    const int hour = TwoDigits(text, 9), minute = TwoDigits(text, 12), second = TwoDigits(text, 15);
    if (yy < 0 || month < 1 || month > 12 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59)
        return std::nullopt;
    const int year = 2000 + yy;
    if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    std::int64_t days = day - 1;
    for (int y = 2000; y < year; ++y) days += DaysInYear(y);
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    return days * kDay + hour * 3600 + minute * 60 + second;
}

std::string ModuleClock::Format(std::int64_t secondsSince2000) {
    const std::int64_t century = kCenturyDays * kDay;
    std::int64_t s = ((secondsSince2000 % century) + century) % century;
    std::int64_t days = s / kDay;
    s %= kDay;
    int year = 2000;
    while (days >= DaysInYear(year)) days -= DaysInYear(year++);
    int month = 1;
    while (days >= DaysInMonth(year, month)) days -= DaysInMonth(year, month++);
    return Two(year % 100) + "/" + Two(month) + "/" + Two(days + 1) + "," + Two(s / 3600) + ":" + Two(s / 60 % 60) +
           ":" + Two(s % 60);
}

bool ModuleClock::set(std::string_view text, std::int64_t atUs) {
    const std::optional<std::int64_t> seconds = Parse(text.substr(0, 17));
    const std::string_view zone = text.size() > 17 ? text.substr(17) : std::string_view{};
    if (!seconds || !IsZone(zone)) return false;
    baseUs_ = atUs;
    if (mode_ == ClockMode::ResetsTo000101) {
        baseSeconds_ = 0;
        zone_.clear();
    } else {
        baseSeconds_ = *seconds;
        zone_ = zone;
    }
    return true;
}

std::string ModuleClock::read(std::int64_t atUs) const {
    std::int64_t now = baseSeconds_;
    if (mode_ != ClockMode::Stopped && atUs > baseUs_) now += (atUs - baseUs_) / 1'000'000;
    return Format(now) + zone_;
}

}  // namespace gsm
