#pragma once

#include <cstdint>
#include <vector>

#include "ui/Controls.h"
#include "ui/Form.h"

namespace qttest {

// A small form with one control of each kind, recording what its events saw.
class TestForm : public ui::Form {
public:
    explicit TestForm(ui::Platform& platform, bool sizable = true);

    ui::Label Caption;
    ui::Label Bar;
    ui::CommandButton Ok;
    ui::CommandButton Other;
    ui::TextBox Box;
    ui::RichTextBox Pane;
    ui::CheckBox Check;
    ui::ComboBox Combo;
    ui::Timer Clock;
    ui::Line Rule;

    struct Move {
        std::int16_t button, shift;
        float x, y;
    };
    std::vector<std::int16_t> boxKeys, paneKeys;
    std::int16_t cancelKey = -1;   // a code the KeyPress handlers set to 0
    std::int16_t replaceKey = -1;  // ... or replace with `replacement`
    std::int16_t replacement = 0;
    std::vector<Move> moves;
    int loads = 0, resizes = 0, unloads = 0, dblClicks = 0, okClicks = 0, otherClicks = 0, labelClicks = 0;
    int checkClicks = 0, comboClicks = 0, ticks = 0;
    bool cancelUnload = false;

private:
    void design();
    void wire();
    void filter(std::vector<std::int16_t>& seen, std::int16_t& key);
};

}  // namespace qttest
