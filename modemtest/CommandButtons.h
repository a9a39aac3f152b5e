#pragma once

#include <cstdint>
#include <string>

namespace console {
class Lumetra;
}

namespace modemtest {

// The one-click AT commands of the left column, and the digit filters of the
// number and PIN boxes.
class CommandButtons {
public:
    explicit CommandButtons(console::Lumetra& form) : f_(form) {}

    void ComCallID_Click();
    void Comcops_Click();
    void ComDial_Click(std::int16_t Index);
    void ComHandOff_Click();
    void Command3_Click();
    void ComPIN_Click();
    void ComSignal_Click();
    void TextNumber_KeyPress(std::int16_t& KeyAscii);
    void TextPIN_KeyPress(std::int16_t& KeyAscii);

private:
    void report(const std::u16string& message);

    console::Lumetra& f_;
};

}  // namespace modemtest
