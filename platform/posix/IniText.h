#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

// The bytes of a private-profile file: lookups, and edits that leave every
// byte they need not touch as it was (comments, blank lines, line endings,
// a missing final newline). No file access here, so the reader and the
// writer can be tested and fuzzed on plain strings.
//
// Lines end in LF; a CR before the LF belongs to the ending. A line whose
// first non-blank byte is '[' names a section (up to ']'), ';' starts a
// comment, and any other line with '=' is an entry. Names match without
// regard to ASCII case; blanks (space, tab) around names and values are
// ignored. Where a section occurs twice its entries are searched in file
// order; new keys go into its first occurrence.
class IniText {
public:
    IniText() = default;
    explicit IniText(std::string bytes) : bytes_(std::move(bytes)) {}

    const std::string& bytes() const { return bytes_; }

    // The value of the first matching entry, without its surrounding blanks.
    std::optional<std::string> get(std::string_view section, std::string_view key) const;

    // Replaces the value of an existing entry in place; else adds the key
    // after the section's last entry; else adds the section at the end.
    // False, with nothing changed, for names or a value that would not read
    // back as this one entry (line breaks, ']' in a section, '=' in a key).
    bool put(std::string_view section, std::string_view key, std::string_view value);

    // The leading decimal integer of a value, with an optional sign; 0 when
    // there are no digits. Values beyond 32 bits saturate.
    static std::int32_t LeadingInt(std::string_view value);

private:
    struct Line {
        std::size_t begin;
        std::size_t contentEnd;  // before the line's CR LF or LF
        std::size_t end;         // after its LF, or the end of the text
    };
    enum class Kind { Blank, Comment, Section, Entry, Other };
    struct Parsed {
        Kind kind;
        std::string_view name;       // a section's name or an entry's key
        std::size_t valueBegin = 0;  // an entry's value, after the blanks behind '='
    };

    Line lineAt(std::size_t pos) const;
    Parsed parse(const Line& line) const;
    std::string lineEnding() const;
    std::string finishLastLine(const std::string& eol) const;
    bool endsInBlankLine() const;
    void insertAfter(const Line& anchor, std::string_view entry);
    void appendSection(std::string_view section, std::string_view entry);

    std::string bytes_;
};

}  // namespace platform::posix
