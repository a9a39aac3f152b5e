#include "ui/Form.h"

#include <algorithm>

#include "ui/Control.h"
#include "ui/ControlObserver.h"
#include "ui/Error.h"
#include "ui/Platform.h"

namespace ui {

Form::Form(Platform& platform, std::u16string name) : platform_(platform), name_(std::move(name)) {}

Form::~Form() = default;

void Form::add(Control& c) { controls_.push_back(&c); }

void Form::remove(Control& c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &c), controls_.end());
    if (active_ == &c) active_ = nullptr;
}

Control* Form::find(const std::u16string& name, int index) const {
    for (Control* c : controls_)
        if (c->name() == name && c->index() == index) return c;
    return nullptr;
}

void Form::changed(int prop) {
    if (observer_) observer_->formChanged(*this, static_cast<Prop>(prop));
}

bool Form::setBound(float& field, float v, int prop) {
    if (field == v) return false;
    field = v;
    changed(prop);
    return true;
}

void Form::setCaption(const std::u16string& c) {
    if (caption_ == c) return;
    caption_ = c;
    changed(static_cast<int>(Prop::Caption));
}

void Form::setLeft(float v) { setBound(left_, v, static_cast<int>(Prop::Left)); }
void Form::setTop(float v) { setBound(top_, v, static_cast<int>(Prop::Top)); }
// A size set by code raises Resize at once, before the setter returns.
void Form::setWidth(float v) {
    if (setBound(width_, v, static_cast<int>(Prop::Width)) && loaded_ && Resize) Resize();
}

void Form::setHeight(float v) {
    if (setBound(height_, v, static_cast<int>(Prop::Height)) && loaded_ && Resize) Resize();
}

void Form::setClientSize(float w, float h) {
    clientWidth_ = w;
    clientHeight_ = h;
}

void Form::setWindowState(int s) {
    if (s < Normal || s > Maximized) throw Error(err::InvalidProperty, "Invalid property value");
    if (windowState_ == s) return;
    windowState_ = s;
    changed(static_cast<int>(Prop::WindowState));
}

void Form::setEnabled(bool v) {
    if (enabled_ == v) return;
    enabled_ = v;
    changed(static_cast<int>(Prop::Enabled));
}

void Form::setBackColor(Color c) {
    if (backColor_ == c) return;
    backColor_ = c;
    changed(static_cast<int>(Prop::BackColor));
}

void Form::setTopMost(bool v) {
    if (topMost_ == v) return;
    topMost_ = v;
    changed(static_cast<int>(Prop::WindowState));
}

void Form::userSetBounds(float l, float t, float w, float h) {
    left_ = l;
    top_ = t;
    const bool resized = width_ != w || height_ != h;
    width_ = w;
    height_ = h;
    if (resized && Resize) platform_.dispatch([this] { Resize(); });
}

void Form::userSetWindowState(int s) {
    if (s < Normal || s > Maximized) return;
    windowState_ = s;
}

void Form::userDblClick() {
    if (!enabled_ || !DblClick) return;
    platform_.dispatch([this] { DblClick(); });
}

}  // namespace ui
