#include "platform/qt/PlacementLearner.h"

#include <algorithm>
#include <cmath>

#include "ui/Form.h"

namespace platform::qt {

namespace {

// Long past what any window manager takes to carry out a change; only a
// window manager that never puts the window where it was sent waits so long.
constexpr long long kOnItsWayMs = 1000;
constexpr int kSecondLookMs = 50;

}  // namespace

bool PixelRect::contains(const PixelRect& r) const {
    return x <= r.x && y <= r.y && x + width >= r.x + r.width && y + height >= r.y + r.height;
}

PlacementLearner::PlacementLearner(double twipsPerPixel, PixelFrame designFrame)
    : tpp_(twipsPerPixel), frame_(designFrame) {}

// The same rounding the controls' widgets get.
int PlacementLearner::toPixels(float twips) const {
    return static_cast<int>(std::lround(twips / tpp_));
}

// A pixel value that is what the old twips give keeps the old twips, so
// bounds set in twips read back as they were set.
TwipsBounds PlacementLearner::readBack(const TwipsBounds& like, const PixelRect& r) const {
    const auto back = [this](float old, int pixels) {
        return toPixels(old) == pixels ? old : static_cast<float>(pixels * tpp_);
    };
    return {back(like.left, r.x), back(like.top, r.y), back(like.width, r.width), back(like.height, r.height)};
}

Placing PlacementLearner::placing() const {
    if (fixed_) return {toPixels(normal_.left), toPixels(normal_.top), *fixed_};
    const int w = toPixels(normal_.width) - frame_.left - frame_.right;
    const int h = toPixels(normal_.height) - frame_.top - frame_.bottom;
    return {
        toPixels(normal_.left), toPixels(normal_.top), {std::clamp(w, 1, room_.width), std::clamp(h, 1, room_.height)}};
}

// The normal bounds become what the window is given: a size no desktop
// can show is cut to the room there is.
Placing PlacementLearner::fit() {
    const Placing p = placing();
    if (!fixed_) {
        const PixelRect outer{p.x, p.y, p.client.width + frame_.left + frame_.right,
                              p.client.height + frame_.top + frame_.bottom};
        normal_ = readBack(normal_, outer);
    }
    return p;
}

void PlacementLearner::await(long long ms) {
    onItsWay_ = true;
    sentAt_ = ms;
}

Placing PlacementLearner::place(const TwipsBounds& bounds, PixelSize room, long long ms) {
    normal_ = bounds;
    room_ = {std::max(1, room.width), std::max(1, room.height)};
    await(ms);
    return fit();
}

Placing PlacementLearner::restore(long long ms) {
    await(ms);
    return placing();
}

PixelSize PlacementLearner::clientOf(const PlacementSample& s) const {
    return {s.outer.width - s.frame.left - s.frame.right, s.outer.height - s.frame.top - s.frame.bottom};
}

bool PlacementLearner::standsWhereSent(const PlacementSample& s) const {
    const Placing p = placing();
    return s.frame == frame_ && s.outer.x == p.x && s.outer.y == p.y && clientOf(s) == p.client;
}

PlacementLearner::Outcome PlacementLearner::settled(const PlacementSample& s, const TwipsBounds& current) {
    const bool backFromMinMax = s.state == ui::Normal && state_ != ui::Normal;
    state_ = s.state;
    if (s.state == ui::Maximized) return {readBack(current, s.outer), {}};
    if (s.state != ui::Normal) return {current, {}};
    lookAgainMs_ = 0;
    const std::optional<PixelSize> client = learn(s, backFromMinMax);
    return {normal_, client, lookAgainMs_};
}

std::optional<PixelSize> PlacementLearner::learn(const PlacementSample& s, bool backFromMinMax) {
    if (backFromMinMax) await(s.ms);
    if (standsWhereSent(s)) {
        onItsWay_ = false;
        return {};
    }
    if (s.outer.contains(s.workArea)) return {};
    const Placing p = placing();
    const bool keptClient = clientOf(s) == p.client;
    if (onItsWay_ && s.ms - sentAt_ < kOnItsWayMs) {
        // On the way only a frame drawn around the window just where it
        // was sent is taken: a window is first shown so. A restore passes
        // through maximized frames around the normal size elsewhere.
        const bool framed = s.frame != PixelFrame{};
        const bool there = s.outer.x == p.x && s.outer.y == p.y;
        if (framed && there && keptClient && !backFromMinMax) return learnFrame(s);
        lookAgainMs_ = framed && there && keptClient ? kSecondLookMs : static_cast<int>(sentAt_ + kOnItsWayMs - s.ms);
        return {};
    }
    onItsWay_ = false;
    if (keptClient && s.frame != frame_) return learnFrame(s);
    normal_ = readBack(normal_, s.outer);  // the user moved or resized it
    frame_ = s.frame;
    return {};
}

std::optional<PixelSize> PlacementLearner::learnFrame(const PlacementSample& s) {
    frame_ = s.frame;
    const PixelSize client = fit().client;
    if (client == clientOf(s)) return {};
    await(s.ms);
    return client;
}

}  // namespace platform::qt
