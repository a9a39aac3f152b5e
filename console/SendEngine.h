#pragma once

#include <cstdint>
#include <string>

namespace console {

class Lumetra;

// Starts transmissions: command lines with their 300 ms reply wait, and
// lines typed into the upper pane. The poll tick sends the rest.
class SendEngine {
public:
    explicit SendEngine(Lumetra& form) : f_(form) {}

    void SendCommand(const std::u16string& Cmd);
    void TextOut_KeyPress(std::int16_t& KeyAscii);
    void TimerDelay_Timer();

    static constexpr int kWaitMs = 300;

private:
    void begin();
    std::u16string firstChunk();
    void waitOnePeriod();

    Lumetra& f_;
};

}  // namespace console
