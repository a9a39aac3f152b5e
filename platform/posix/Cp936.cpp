#include "platform/posix/Cp936.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace platform::posix {

namespace {

// One conversion descriptor per direction and call: iconv state is not shared.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts one unit at a time where the whole fails, so one bad unit costs one substitute.
    bool convert(const char* in, std::size_t inLen, std::string& out) {
        char buf[16];
        char* src = const_cast<char*>(in);
        char* dst = buf;
        std::size_t left = inLen, room = sizeof buf;
        if (iconv(cd_, &src, &left, &dst, &room) == static_cast<std::size_t>(-1) || left != 0) {
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            return false;
        }
        out.append(buf, static_cast<std::size_t>(dst - buf));
        return true;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::string EncodeCp936(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    Converter conv("CP936", "UTF-16LE");
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        char units[4];
        std::size_t n = 2;
        units[0] = static_cast<char>(c & 0xFF);
        units[1] = static_cast<char>(c >> 8);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            units[2] = static_cast<char>(text[i + 1] & 0xFF);
            units[3] = static_cast<char>(text[i + 1] >> 8);
            n = 4;
            ++i;
        }
        if (!conv.ok() || !conv.convert(units, n, out)) out += '?';
    }
    return out;
}

std::u16string DecodeCp936(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    Converter conv("UTF-16LE", "CP936");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            continue;
        }
        std::string u16;
        const bool pair = i + 1 < bytes.size() && conv.ok() && conv.convert(bytes.data() + i, 2, u16);
        if (!pair) {
            u16.clear();
            if (!conv.ok() || !conv.convert(bytes.data() + i, 1, u16)) {
                out += u'\uFFFD';
                continue;
            }
        } else {
            ++i;
        }
        for (std::size_t k = 0; k + 1 < u16.size(); k += 2)
            out += static_cast<char16_t>(static_cast<unsigned char>(u16[k]) |
                                         (static_cast<unsigned char>(u16[k + 1]) << 8));
    }
    return out;
}

}  // namespace platform::posix
