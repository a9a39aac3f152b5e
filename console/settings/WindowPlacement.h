#pragma once

#include <cstdint>

namespace console {

class Lumetra;
class PublicMod;

// What the main window remembers between runs: the port and speed entries,
// its normal-state bounds and its state. Restored at the start of Load,
// saved at the end of Unload.
class WindowPlacement {
public:
    WindowPlacement(Lumetra& form, PublicMod& mod) : f_(form), mod_(mod) {}

    // Reads the seven keys and brings each value into bounds before it is
    // applied; the bounds are set before the state, so a window closed
    // maximized comes back maximized over its normal bounds.
    void Restore();
    // Writes the seven keys; a failing step is skipped.
    void Save();

private:
    void restoreLists();
    void restoreBounds();
    void restoreState();

    Lumetra& f_;
    PublicMod& mod_;
};

}  // namespace console
