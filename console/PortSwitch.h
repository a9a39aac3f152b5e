#pragma once

namespace console {

class Lumetra;

// Opening and closing the port, the speed list and the five line labels.
class PortSwitch {
public:
    explicit PortSwitch(Lumetra& form) : f_(form) {}

    void ComStartStop_Click();
    void ComboSpeed_Click();
    void RefreshLineSignals();
    void LabelDTR_Click();
    void LabelRTS_Click();

private:
    void openPort();
    void closePort();
    void showClosedLabels();
    void showOpenState();

    Lumetra& f_;
};

}  // namespace console
