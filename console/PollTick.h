#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace console {

class Lumetra;

// The 5 ms poll: received bytes into the lower pane, the next chunk of a
// transmission, the line labels.
class PollTick {
public:
    explicit PollTick(Lumetra& form) : f_(form) {}

    void TimerRead_Timer();
    void CheckDisplay_Click();
    void MSComm_OnComm();

    // Selects the next chunk of the upper pane and moves SendPos past it.
    void ApplyChunkRule();

    static constexpr std::size_t kCutAbove = 4000;
    static constexpr std::size_t kKeep = 2000;

private:
    void receive();
    void append(const std::vector<std::uint8_t>& bytes);
    void send();
    void continueSending();
    void completeSending();

    Lumetra& f_;
};

}  // namespace console
