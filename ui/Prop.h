#pragma once

namespace ui {

// What changed on a control, so a front end repaints only that.
enum class Prop {
    Caption,
    Text,
    Left,
    Top,
    Width,
    Height,
    Visible,
    Enabled,
    BackColor,
    ForeColor,
    Font,
    ToolTip,
    TabIndex,
    Value,
    List,
    ListIndex,
    Selection,  // SelStart / SelLength
    Edit,       // RichTextBox: the selection was replaced (see lastEdit())
    Refresh,
    Focus,
    Interval,
    TimerEnabled,
    WindowState,
    MousePointer,
    LinePoints,
};

}  // namespace ui
