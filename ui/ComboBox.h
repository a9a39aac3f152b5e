#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

// A drop-down list: entries are picked, never typed.
class ComboBox : public Control {
public:
    ComboBox(Form& form, std::u16string name, int index = -1);

    void addItem(const std::u16string& item);
    int listCount() const { return static_cast<int>(list_.size()); }
    // The entry's text; an index out of range gives an empty text.
    std::u16string list(int i) const;
    const std::vector<std::u16string>& items() const { return list_; }

    int listIndex() const { return listIndex_; }
    // Selecting another entry raises Click and runs it to its end before this
    // returns; re-selecting the current entry raises nothing. An index out of
    // range selects nothing.
    void setListIndex(int i);
    std::u16string text() const { return list(listIndex_); }

    // The user's pick: raises Click once, also for the entry already selected.
    void userSelect(int i);

    std::function<void()> Click;

private:
    std::vector<std::u16string> list_;
    int listIndex_ = -1;
};

}  // namespace ui
