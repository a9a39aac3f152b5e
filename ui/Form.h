#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Color.h"
#include "ui/Font.h"

namespace ui {

class Control;
class ControlObserver;
class Platform;

enum WindowState : int { Normal = 0, Minimized = 1, Maximized = 2 };

// A top-level window: its properties, its controls and its events. The
// platform loads, shows and unloads it; the front end draws it.
class Form {
public:
    Form(Platform& platform, std::u16string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Platform& platform() const { return platform_; }
    const std::u16string& name() const { return name_; }
    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(const std::u16string& name, int index = -1) const;

    const std::u16string& caption() const { return caption_; }
    void setCaption(const std::u16string& c);

    // Outer bounds in twips, as set; the client area is fixed at design time.
    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float v);
    void setTop(float v);
    void setWidth(float v);
    void setHeight(float v);
    float clientWidth() const { return clientWidth_; }
    float clientHeight() const { return clientHeight_; }
    void setClientSize(float w, float h);

    int windowState() const { return windowState_; }
    void setWindowState(int s);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    const Font& font() const { return font_; }
    void setFont(const Font& f) { font_ = f; }
    bool sizable() const { return sizable_; }
    void setSizable(bool v) { sizable_ = v; }
    bool topMost() const { return topMost_; }
    void setTopMost(bool v);

    bool loaded() const { return loaded_; }
    void setLoaded(bool v) { loaded_ = v; }  // platform only
    ControlObserver* observer() const { return observer_; }
    void setObserver(ControlObserver* o) { observer_ = o; }  // platform only
    Control* activeControl() const { return active_; }
    void setActiveControl(Control* c) { active_ = c; }

    // The front end reports a change the user made (drag, resize, maximize);
    // Resize is raised once after the new size is stored.
    void userSetBounds(float left, float top, float width, float height);
    void userSetWindowState(int s);
    void userDblClick();

    std::function<void()> Load;
    std::function<void(std::int16_t& cancel)> Unload;
    std::function<void()> Resize;
    std::function<void()> DblClick;

    void add(Control& c);     // controls register themselves
    void remove(Control& c);

private:
    void changed(int prop);
    bool setBound(float& field, float v, int prop);

    Platform& platform_;
    std::u16string name_;
    std::vector<Control*> controls_;
    std::u16string caption_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    float clientWidth_ = 0, clientHeight_ = 0;
    int windowState_ = Normal;
    bool enabled_ = true;
    Color backColor_{240, 240, 240};
    Font font_{u"宋体", 9.0f, false};
    bool sizable_ = true;
    bool topMost_ = false;
    bool loaded_ = false;
    ControlObserver* observer_ = nullptr;
    Control* active_ = nullptr;
};

}  // namespace ui
