#pragma once

#include <string>

#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/Prop.h"

namespace ui {

class Form;

enum class Kind { Label, CommandButton, TextBox, CheckBox, ComboBox, RichTextBox, Timer, Line };

// Properties every visible control shares. Geometry is in twips, kept exactly
// as set; colours are RGB. A setter given the current value notifies nobody.
class Control {
public:
    Control(Form& form, Kind kind, std::u16string name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    Kind kind() const { return kind_; }
    const std::u16string& name() const { return name_; }
    int index() const { return index_; }  // member of a control array, else -1

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float v);
    void setTop(float v);
    void setWidth(float v);
    void setHeight(float v);
    void move(float left, float top, float width, float height);

    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);
    const Font& font() const { return font_; }
    void setFont(const Font& f);
    const std::u16string& toolTipText() const { return toolTip_; }
    void setToolTipText(const std::u16string& t);
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int t);
    bool hasBackColor() const { return hasBackColor_; }
    bool hasForeColor() const { return hasForeColor_; }

    // True when user input may reach the control: it and its form are enabled.
    bool acceptsInput() const;

protected:
    void notify(Prop p);
    template <class T>
    bool assign(T& field, const T& value, Prop p) {
        if (field == value) return false;
        field = value;
        notify(p);
        return true;
    }

private:
    Form& form_;
    Kind kind_;
    std::u16string name_;
    int index_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool hasBackColor_ = false;
    bool hasForeColor_ = false;  // black too is a colour of its own, not the theme's
    Color backColor_{255, 255, 255};
    Color foreColor_{0, 0, 0};
    Font font_;
    std::u16string toolTip_;
    int tabIndex_ = -1;
};

}  // namespace ui
