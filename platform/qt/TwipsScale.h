#pragma once

#include <QPoint>
#include <QRect>

namespace platform::qt {

// Twips to pixels through the screen's logical DPI (15 twips a pixel at 96 dpi).
class TwipsScale {
public:
    explicit TwipsScale(double twipsPerPixel = 15.0) : tpp_(twipsPerPixel) {}
    // The primary screen's scale; 15 when there is no screen.
    static TwipsScale ofPrimaryScreen();

    double twipsPerPixel() const { return tpp_; }
    int toPixels(float twips) const;
    float toTwips(double pixels) const { return static_cast<float>(pixels * tpp_); }
    QRect toPixels(float left, float top, float width, float height) const;

    // A pixel value read back from the window, in twips. When it is the
    // pixel value the model's own twips give, the model's value stands, so
    // a bound set in twips reads back exactly as it was set.
    float readBack(float modelTwips, int pixels) const;

private:
    double tpp_;
};

}  // namespace platform::qt
