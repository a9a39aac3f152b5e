#include "ui/Control.h"

#include "ui/ControlObserver.h"
#include "ui/Form.h"

namespace ui {

Control::Control(Form& form, Kind kind, std::u16string name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {
    form_.add(*this);
}

Control::~Control() { form_.remove(*this); }

void Control::setLeft(float v) { assign(left_, v, Prop::Left); }
void Control::setTop(float v) { assign(top_, v, Prop::Top); }
void Control::setWidth(float v) { assign(width_, v, Prop::Width); }
void Control::setHeight(float v) { assign(height_, v, Prop::Height); }

void Control::move(float l, float t, float w, float h) {
    setLeft(l);
    setTop(t);
    setWidth(w);
    setHeight(h);
}

void Control::setVisible(bool v) { assign(visible_, v, Prop::Visible); }
void Control::setEnabled(bool v) { assign(enabled_, v, Prop::Enabled); }

void Control::setBackColor(Color c) {
    hasBackColor_ = true;
    assign(backColor_, c, Prop::BackColor);
}

void Control::setForeColor(Color c) {
    hasForeColor_ = true;
    assign(foreColor_, c, Prop::ForeColor);
}
void Control::setFont(const Font& f) { assign(font_, f, Prop::Font); }
void Control::setToolTipText(const std::u16string& t) { assign(toolTip_, t, Prop::ToolTip); }
void Control::setTabIndex(int t) { assign(tabIndex_, t, Prop::TabIndex); }

bool Control::acceptsInput() const { return enabled_ && visible_ && form_.enabled(); }

void Control::notify(Prop p) {
    if (auto* o = form_.observer()) o->changed(*this, p);
}

}  // namespace ui
