#pragma once

#include <cstdint>

namespace console {

class Lumetra;

// Fits the upper pane, the splitter bar and the lower pane to the window, and
// lets the user drag the bar. Every item is placed from what the items before
// it report back, so whatever the toolkit does to a value carries on down.
class PaneLayout {
public:
    explicit PaneLayout(Lumetra& form) : f_(form) {}

    void Form_Resize();
    void LabelMove_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);

private:
    void fitWidths();
    void dragTo(float Y);
    void placeLowerPane(double bottomFrame, bool wholeTwips);
    void placeBar();

    Lumetra& f_;
};

}  // namespace console
