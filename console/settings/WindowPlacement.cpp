#include "console/settings/WindowPlacement.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "console/Lumetra.h"
#include "console/settings/PublicMod.h"
#include "ui/Platform.h"
#include "ui/Skip.h"
#include "ui/Text.h"

namespace console {

namespace {

const std::u16string kLists = u"LumetraSet";
const std::u16string kPoint = u"Point";

constexpr std::int32_t kLastPort = 5;
constexpr std::int32_t kLastSpeed = 17;
constexpr std::int32_t kSpeed1200 = 6;

// Halves go to the even neighbour. What does not fit 32 bits saturates, as
// the settings reader does, so a written value reads back as itself.
std::int32_t RoundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    double r = std::floor(v);
    const double fraction = v - r;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    return static_cast<std::int32_t>(r);
}

// The general decimal form: no point for a whole number, the shortest
// digits that give the value back otherwise (a reader takes its integer part).
std::u16string TwipsText(float twips) {
    if (std::isfinite(twips) && twips == std::trunc(twips)) return ui::Decimal(RoundHalfEven(twips));
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, twips);
    return std::u16string(buf, res.ptr);
}

}  // namespace

void WindowPlacement::Restore() {
    restoreLists();
    restoreBounds();
    restoreState();
}

// Selecting the speed entry runs ComboSpeed_Click, which applies the speed
// to the closed port at once. An index below the list selects nothing.
void WindowPlacement::restoreLists() {
    std::int32_t port = mod_.ReadIniInt(kLists, u"Port");
    if (port > kLastPort) port = 0;
    f_.ComboPort.setListIndex(port);
    std::int32_t speed = mod_.ReadIniInt(kLists, u"Speed");
    if (speed > kLastSpeed) speed = kSpeed1200;
    f_.ComboSpeed.setListIndex(speed);
}

// Width and height are replaced, not clamped, when too small, and have no
// upper bound; top and left are kept on the screen.
void WindowPlacement::restoreBounds() {
    const double screenH = f_.platform().screenHeightTwips();
    std::int32_t top = mod_.ReadIniInt(kPoint, u"Top");
    if (top > screenH - 1000) top = RoundHalfEven(screenH / 5);
    if (top < 0) top = 0;
    f_.setTop(static_cast<float>(top));

    const double screenW = f_.platform().screenWidthTwips();
    std::int32_t left = mod_.ReadIniInt(kPoint, u"Left");
    if (left < 0) left = 0;
    if (left > screenW - 1500) left = RoundHalfEven(screenW / 5);
    f_.setLeft(static_cast<float>(left));

    std::int32_t width = mod_.ReadIniInt(kPoint, u"Width");
    if (width < 3000) width = 8000;
    f_.setWidth(static_cast<float>(width));

    std::int32_t height = mod_.ReadIniInt(kPoint, u"Height");
    if (height < 1500) height = 6000;
    f_.setHeight(static_cast<float>(height));
}

// A minimized window comes back normal. A negative state, which no save
// writes, is ignored: the window would refuse it and Load would stop short
// of its closed state.
void WindowPlacement::restoreState() {
    const std::int32_t state = mod_.ReadIniInt(kPoint, u"WindowState");
    if (state == ui::Normal || state == ui::Maximized) f_.setWindowState(state);
}

// The state is taken before the window is made normal, so the bounds written
// are the normal-state bounds and the state is the one the user left. The
// seven writes are made under one hold of the file: of two consoles closing
// at once, the later save stands whole.
void WindowPlacement::Save() {
    const auto hold = mod_.HoldSettingsFile();
    ui::Skip([this] { mod_.WriteIniString(kLists, u"Port", ui::Decimal(f_.ComboPort.listIndex())); });
    ui::Skip([this] { mod_.WriteIniString(kLists, u"Speed", ui::Decimal(f_.ComboSpeed.listIndex())); });
    const int state = f_.windowState();
    if (state == ui::Maximized || state == ui::Minimized) ui::Skip([this] { f_.setWindowState(ui::Normal); });
    ui::Skip([this] { mod_.WriteIniString(kPoint, u"Top", TwipsText(f_.top())); });
    ui::Skip([this] { mod_.WriteIniString(kPoint, u"Left", TwipsText(f_.left())); });
    ui::Skip([this] { mod_.WriteIniString(kPoint, u"Width", TwipsText(f_.width())); });
    ui::Skip([this] { mod_.WriteIniString(kPoint, u"Height", TwipsText(f_.height())); });
    ui::Skip([this, state] { mod_.WriteIniString(kPoint, u"WindowState", ui::Decimal(state)); });
}

}  // namespace console
