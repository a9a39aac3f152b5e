#pragma once

#include <optional>

namespace platform::qt {

// Pixels on the desktop.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
    bool contains(const PixelRect& r) const;
};

// What the window system draws around a client area.
struct PixelFrame {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelFrame&) const = default;
};

struct PixelSize {
    int width = 0, height = 0;
    bool operator==(const PixelSize&) const = default;
};

// Outer bounds in twips, frame included, as the model holds them.
struct TwipsBounds {
    float left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipsBounds&) const = default;
};

// What a window is given: where its frame stands and how large its client
// area is.
struct Placing {
    int x = 0, y = 0;
    PixelSize client;
    bool operator==(const Placing&) const = default;
};

// The window as it stood once the events of one change were in.
struct PlacementSample {
    int state = 0;  // a ui::WindowState
    PixelRect outer;
    PixelFrame frame;
    PixelRect workArea;
    long long ms = 0;  // a steady clock
};

// A window's normal bounds, learned from what the window system reports.
//
// Bounds set by code are the normal ones from then on; they stand until the
// user moves or resizes the normal window. A window on its way to where it
// was sent (just given its bounds, or back from minimized or maximized)
// reports half-updated states: until it stands where it was sent, or a
// second has passed, what it reports teaches nothing, and the first state
// back is read a second time. Nor does a window that covers the work area:
// some window managers move a window there before they say it is
// maximized. Nothing learned places the window again; only a frame other
// than the one its size was given with sizes its client area again, so that
// its outer size stays the normal one.
class PlacementLearner {
public:
    PlacementLearner(double twipsPerPixel, PixelFrame designFrame);
    // A dialog keeps its design client area whatever its bounds say.
    void fixClientSize(PixelSize client) { fixed_ = client; }

    // Code sets the normal bounds. The client area is at most `room` (the
    // desktop's available area): no window larger than a desktop can show.
    // What the window then has is normal() and what it is to be given.
    Placing place(const TwipsBounds& bounds, PixelSize room, long long ms);
    // Code makes the window normal again: it is sent back to its bounds.
    Placing restore(long long ms);
    const TwipsBounds& normal() const { return normal_; }

    struct Outcome {
        TwipsBounds bounds;                  // what the model holds now
        std::optional<PixelSize> newClient;  // the frame changed: the client area to give
        int lookAgainMs = 0;                 // when to read the window again, even if it reports nothing
    };
    // `current` is what the model holds: a maximized window's bounds keep
    // its twips where the pixels did not change.
    Outcome settled(const PlacementSample& s, const TwipsBounds& current);

private:
    Placing placing() const;
    Placing fit();
    PixelSize clientOf(const PlacementSample& s) const;
    bool standsWhereSent(const PlacementSample& s) const;
    std::optional<PixelSize> learn(const PlacementSample& s, bool backFromMinMax);
    std::optional<PixelSize> learnFrame(const PlacementSample& s);
    TwipsBounds readBack(const TwipsBounds& like, const PixelRect& r) const;
    int toPixels(float twips) const;
    void await(long long ms);

    double tpp_;
    PixelFrame frame_;  // the frame the client area was sized for
    std::optional<PixelSize> fixed_;
    PixelSize room_{1 << 15, 1 << 15};
    TwipsBounds normal_;
    int state_ = 0;
    bool onItsWay_ = false;
    long long sentAt_ = 0;
    int lookAgainMs_ = 0;
};

}  // namespace platform::qt
