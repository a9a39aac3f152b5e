#include "platform/posix/IniText.h"

#include <algorithm>
#include <limits>

namespace platform::posix {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// Names and values that would read back as something else are refused
// rather than written into the file's structure.
bool Storable(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos) return false;
    if (key.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos) return false;
    if (key.front() == '[' || key.front() == ';') return false;
    return !HasLineBreak(value);
}

}  // namespace

IniText::Line IniText::lineAt(std::size_t pos) const {
    const std::size_t nl = bytes_.find('\n', pos);
    Line line{pos, nl == std::string::npos ? bytes_.size() : nl, nl == std::string::npos ? bytes_.size() : nl + 1};
    if (line.contentEnd > pos && bytes_[line.contentEnd - 1] == '\r') --line.contentEnd;
    return line;
}

IniText::Parsed IniText::parse(const Line& line) const {
    const std::string_view content(bytes_.data() + line.begin, line.contentEnd - line.begin);
    const std::string_view text = Trim(content);
    if (text.empty()) return {Kind::Blank, {}};
    if (text.front() == ';') return {Kind::Comment, {}};
    if (text.front() == '[') {
        const std::string_view inner = text.substr(1);
        return {Kind::Section, Trim(inner.substr(0, inner.find(']')))};
    }
    const std::size_t eq = content.find('=');
    if (eq == std::string_view::npos) return {Kind::Other, {}};
    std::size_t value = eq + 1;
    while (value < content.size() && IsBlank(content[value])) ++value;
    return {Kind::Entry, Trim(content.substr(0, eq)), line.begin + value};
}

std::optional<std::string> IniText::get(std::string_view section, std::string_view key) const {
    if (Trim(section).empty() || Trim(key).empty()) return std::nullopt;
    bool inSection = false;
    for (std::size_t pos = 0; pos < bytes_.size();) {
        const Line line = lineAt(pos);
        pos = line.end;
        const Parsed p = parse(line);
        if (p.kind == Kind::Section) {
            inSection = SameName(p.name, section);
        } else if (inSection && p.kind == Kind::Entry && SameName(p.name, key)) {
            return std::string(Trim(std::string_view(bytes_).substr(p.valueBegin, line.contentEnd - p.valueBegin)));
        }
    }
    return std::nullopt;
}

bool IniText::put(std::string_view section, std::string_view key, std::string_view value) {
    if (!Storable(section, key, value)) return false;
    const std::string entry = std::string(Trim(key)) + "=" + std::string(value);
    bool inSection = false;
    int occurrences = 0;
    std::optional<Line> anchor;  // the line the new key follows
    for (std::size_t pos = 0; pos < bytes_.size();) {
        const Line line = lineAt(pos);
        pos = line.end;
        const Parsed p = parse(line);
        if (p.kind == Kind::Section) {
            inSection = SameName(p.name, section);
            if (inSection && ++occurrences == 1) anchor = line;
        } else if (inSection && p.kind == Kind::Entry && SameName(p.name, key)) {
            bytes_.replace(p.valueBegin, line.contentEnd - p.valueBegin, value);
            return true;
        } else if (inSection && occurrences == 1 && (p.kind == Kind::Entry || p.kind == Kind::Other)) {
            anchor = line;
        }
    }
    if (anchor) {
        insertAfter(*anchor, entry);
    } else {
        appendSection(Trim(section), entry);
    }
    return true;
}

// New lines follow the file's first line ending, so a CR LF file stays CR LF.
std::string IniText::lineEnding() const {
    const std::size_t nl = bytes_.find('\n');
    return (nl != std::string::npos && nl > 0 && bytes_[nl - 1] == '\r') ? "\r\n" : "\n";
}

bool IniText::endsInBlankLine() const {
    if (bytes_.empty()) return true;
    std::size_t last = bytes_.size() - 1;
    if (bytes_[last] == '\n') {
        if (last == 0) return true;
        --last;
    }
    const std::size_t nl = bytes_.rfind('\n', last);
    const std::size_t begin = nl == std::string::npos ? 0 : nl + 1;
    return parse(lineAt(begin)).kind == Kind::Blank;
}

// A last line without a line ending keeps going without one.
// A last line cut off after its CR already reads as ended; only the LF is
// missing, and a whole line end would put a CR into its value.
std::string IniText::finishLastLine(const std::string& eol) const {
    return !bytes_.empty() && bytes_.back() == '\r' ? std::string("\n") : eol;
}

void IniText::insertAfter(const Line& anchor, std::string_view entry) {
    const std::string eol = lineEnding();
    const bool ended = anchor.end > anchor.begin && bytes_[anchor.end - 1] == '\n';
    bytes_.insert(anchor.end, ended ? std::string(entry) + eol : finishLastLine(eol) + std::string(entry));
}

void IniText::appendSection(std::string_view section, std::string_view entry) {
    const std::string eol = lineEnding();
    std::string add;
    if (!bytes_.empty() && bytes_.back() != '\n') add += finishLastLine(eol);
    if (!endsInBlankLine()) add += eol;  // one blank line between sections
    add += "[" + std::string(section) + "]" + eol + std::string(entry) + eol;
    bytes_ += add;
}

std::int32_t IniText::LeadingInt(std::string_view value) {
    value = Trim(value);
    std::size_t i = 0;
    const bool negative = i < value.size() && value[i] == '-';
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) ++i;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    bool digits = false;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        digits = true;
        magnitude = std::min(magnitude * 10 + (value[i] - '0'), kLimit);
    }
    if (!digits) return 0;
    if (negative) return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(std::min<std::int64_t>(magnitude, kLimit - 1));
}

}  // namespace platform::posix
