#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "console/SplitterCursor.h"
#include "tests/support/ConsoleFixture.h"
#include "ui/ControlObserver.h"

namespace {

// Where the three right-hand items stand, for comparing whole layouts.
struct Column {
    float upperTop, upperHeight, barTop, barHeight, lowerTop, lowerHeight;
    friend bool operator==(const Column&, const Column&) = default;
};

std::ostream& operator<<(std::ostream& os, const Column& c) {
    return os << "upper " << c.upperTop << "+" << c.upperHeight << ", bar " << c.barTop << "+" << c.barHeight
              << ", lower " << c.lowerTop << "+" << c.lowerHeight;
}

class PaneLayoutTest : public testsupport::ConsoleFixture {
protected:
    void SetUp() override { load(); }

    // A user resize to w x h; the window is first made a pixel wider when it
    // already has that size, so the layout always runs.
    void resizeTo(float w, float h) {
        if (form().width() == w && form().height() == h) form().userSetBounds(form().left(), form().top(), w + 15, h);
        form().userSetBounds(form().left(), form().top(), w, h);
    }
    // A move over the bar with the pointer at Y twips below the bar's top.
    void moveOnBar(float y, std::int16_t button = 1, std::int16_t shift = 0) {
        form().LabelMove.userMouseMove(button, shift, 250, y);
    }
    // The move that asks for an upper pane of r twips.
    void requestSplit(double r) { moveOnBar(static_cast<float>(r + 20 - form().LabelMove.top())); }

    Column column() {
        auto& f = form();
        return {f.TextOut.top(),      f.TextOut.height(), f.LabelMove.top(),
                f.LabelMove.height(), f.RTextBuf.top(),   f.RTextBuf.height()};
    }
    void expectSplit(float upper, float lowerHeight) {
        EXPECT_EQ(form().TextOut.top(), 0);
        EXPECT_EQ(form().TextOut.height(), upper);
        EXPECT_EQ(form().LabelMove.top(), upper - 10);
        EXPECT_EQ(form().LabelMove.height(), 60);
        EXPECT_EQ(form().RTextBuf.top(), upper + 40);
        EXPECT_EQ(form().RTextBuf.height(), lowerHeight);
    }
    void expectWidths(float w) {
        for (ui::Control* c : {static_cast<ui::Control*>(&form().TextOut), static_cast<ui::Control*>(&form().LabelMove),
                               static_cast<ui::Control*>(&form().RTextBuf)}) {
            EXPECT_EQ(c->left(), 1560);
            EXPECT_EQ(c->width(), w);
        }
    }
};

TEST_F(PaneLayoutTest, FirstRunWindowSizeLaysOutTheColumn) {
    resizeTo(8000, 6000);
    expectWidths(6340);
    expectSplit(2060, 3490);
}

TEST_F(PaneLayoutTest, WidthFollowsTheWindowDownToAFloorOf100) {
    resizeTo(1761, 6000);
    expectWidths(101);
    resizeTo(1760, 6000);
    expectWidths(100);
    resizeTo(900, 6000);
    expectWidths(100);
}

TEST_F(PaneLayoutTest, LowWindowsKeepTheLayoutOfA2000TwipWindow) {
    for (float h : {2000.0f, 1500.0f, 300.0f}) {
        resizeTo(8000, h);
        expectSplit(460, 1090);
        EXPECT_EQ(form().LabelMove.top(), 450);
        EXPECT_EQ(form().RTextBuf.top(), 500);
    }
}

TEST_F(PaneLayoutTest, UpperPaneHeightIsNotRounded) {
    resizeTo(8000, 2001);
    EXPECT_EQ(form().TextOut.height(), 460.4f);
    EXPECT_FLOAT_EQ(form().LabelMove.top(), 450.4f);
    EXPECT_FLOAT_EQ(form().RTextBuf.top(), 500.4f);
    EXPECT_FLOAT_EQ(form().RTextBuf.height(), 1090.6f);
}

TEST_F(PaneLayoutTest, TheLeftColumnNeverMoves) {
    using Box = std::tuple<float, float, float, float>;
    auto boxes = [this] {
        std::vector<Box> all;
        for (ui::Control* c : form().controls())
            if (c != &form().TextOut && c != &form().LabelMove && c != &form().RTextBuf)
                all.emplace_back(c->left(), c->top(), c->width(), c->height());
        return all;
    };
    const auto before = boxes();
    resizeTo(3000, 2500);
    requestSplit(900);
    resizeTo(12000, 9000);
    EXPECT_EQ(boxes(), before);
}

TEST_F(PaneLayoutTest, DragMovesTheSplitWithThePointer) {
    resizeTo(8000, 6000);
    moveOnBar(30 + 500);  // 500 twips below the bar's middle
    expectSplit(2560, 2990);
    EXPECT_EQ(form().LabelMove.top(), 2550);
    expectWidths(6340);
}

TEST_F(PaneLayoutTest, DragStaysWithinItsLimits) {
    resizeTo(8000, 6000);
    requestSplit(5200);
    expectSplit(5000, 550);
    requestSplit(5000);
    expectSplit(5000, 550);
    requestSplit(601);
    expectSplit(601, 4949);
    requestSplit(600);
    expectSplit(600, 4950);
    requestSplit(2000);
    requestSplit(-300);
    expectSplit(600, 4950);
}

TEST_F(PaneLayoutTest, RequestedSplitRoundsHalvesToEven) {
    resizeTo(8000, 6000);
    moveOnBar(530.5f);  // 2050 + 530.5 - 20 = 2560.5
    EXPECT_EQ(form().TextOut.height(), 2560);
    resizeTo(8001, 6000);  // the bar back at 2050
    moveOnBar(531.5f);     // 2561.5
    EXPECT_EQ(form().TextOut.height(), 2562);
}

// An upper pane standing half a twip low makes each lower-pane height end in
// a half: whole twips below the lower limit, unrounded at it.
TEST_F(PaneLayoutTest, LowerPaneIsRoundedOnlyBelowTheLowerLimit) {
    resizeTo(8000, 6000);
    form().TextOut.setTop(0.5f);
    requestSplit(2560);
    EXPECT_EQ(form().RTextBuf.top(), 2600.5f);
    EXPECT_EQ(form().RTextBuf.height(), 2990);  // 2989.5
    requestSplit(2561);
    EXPECT_EQ(form().RTextBuf.height(), 2988);  // 2988.5
    requestSplit(300);
    EXPECT_EQ(form().RTextBuf.height(), 4950);  // 4949.5
    requestSplit(5500);
    EXPECT_EQ(form().RTextBuf.top(), 5040.5f);
    EXPECT_EQ(form().RTextBuf.height(), 549.5f);
}

TEST_F(PaneLayoutTest, InALowWindowTheUpperLimitIsTestedFirst) {
    resizeTo(8000, 1300);
    requestSplit(400);
    expectSplit(300, 550);
    requestSplit(250);
    expectSplit(600, 250);
}

TEST_F(PaneLayoutTest, LowerPaneNeverGetsANegativeHeight) {
    resizeTo(8000, 1030);
    requestSplit(20);
    expectSplit(600, 0);  // 1030 - 640 - 410 would be -20
}

TEST_F(PaneLayoutTest, DragWorksInAWindowJustOver1000High) {
    resizeTo(8000, 1001);
    requestSplit(700);
    expectSplit(1, 550);
}

TEST_F(PaneLayoutTest, OtherMovesOnlyPlaceTheBarAgain) {
    const std::pair<std::int16_t, std::int16_t> moves[] = {{2, 0}, {3, 0}, {1, 1}, {1, 2}, {1, 4}, {0, 0}};
    resizeTo(8000, 6000);
    const Column laidOut = column();
    for (auto [button, shift] : moves) {
        form().LabelMove.setTop(1234);
        form().LabelMove.setHeight(7);
        moveOnBar(900, button, shift);
        EXPECT_EQ(column(), laidOut) << "button " << button << " shift " << shift;
    }
    resizeTo(8000, 1000);
    const Column low = column();
    form().LabelMove.setTop(1234);
    moveOnBar(-200);
    EXPECT_EQ(column(), low);
}

TEST_F(PaneLayoutTest, AnyResizeReplacesADraggedSplit) {
    resizeTo(8000, 6000);
    requestSplit(3333);
    resizeTo(8015, 6000);
    expectSplit(2060, 3490);
    EXPECT_EQ(form().TextOut.width(), 6355);
}

// A toolkit that keeps the upper pane to whole 15-twip pixels: everything
// placed after it follows the pane as it really stands.
class PixelSnap : public ui::ControlObserver {
public:
    PixelSnap(ui::Control& target, ui::ControlObserver& next) : target_(target), next_(next) {}
    void changed(ui::Control& c, ui::Prop p) override {
        if (&c == &target_ && p == ui::Prop::Height) c.setHeight(std::round(c.height() / 15) * 15);
        if (&c == &target_ && p == ui::Prop::Width) c.setWidth(std::round(c.width() / 15) * 15);
        next_.changed(c, p);
    }
    void formChanged(ui::Form& f, ui::Prop p) override { next_.formChanged(f, p); }

private:
    ui::Control& target_;
    ui::ControlObserver& next_;
};

class PaneLayoutSnapTest : public PaneLayoutTest {
protected:
    void SetUp() override {
        PaneLayoutTest::SetUp();
        form().setObserver(&snap_);
    }
    void TearDown() override { form().setObserver(&platform()); }

    PixelSnap snap_{form().TextOut, platform()};
};

TEST_F(PaneLayoutSnapTest, ItemsFollowThePaneAsTheToolkitLeftIt) {
    resizeTo(3000, 3000);  // away from the size the window was shown at, before the snapping began
    resizeTo(8000, 6000);
    EXPECT_EQ(form().TextOut.width(), 6345);
    expectWidths(6345);
    expectSplit(2055, 3495);
    requestSplit(2560);
    expectSplit(2565, 2985);
}

TEST_F(PaneLayoutTest, BarShowsTheSplitterCursor) {
    EXPECT_EQ(form().LabelMove.mouseIcon(), console::SplitterCursor());
}

TEST(SplitterCursor, IsA32PixelTwoColourPictureWithItsHotSpotBetweenTheBars) {
    const auto cursor = console::SplitterCursor();
    ASSERT_TRUE(cursor);
    const ui::Cursor& c = *cursor;
    EXPECT_EQ(c.width, 32);
    EXPECT_EQ(c.height, 32);
    EXPECT_EQ(c.hotX, 15);
    EXPECT_EQ(c.hotY, 14);
    ASSERT_EQ(c.pixels.size(), 32u * 32u);
    auto at = [&](int x, int y) -> std::uint8_t {
        if (x < 0 || y < 0 || x >= 32 || y >= 32) return ui::Cursor::Clear;
        return c.pixels[static_cast<std::size_t>(y * 32 + x)];
    };
    auto nextToBlack = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (at(x + dx, y + dy) == ui::Cursor::Black) return true;
        return false;
    };
    int black = 0, white = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const auto p = at(x, y);
            ASSERT_TRUE(p == ui::Cursor::Clear || p == ui::Cursor::Black || p == ui::Cursor::White);
            if (p == ui::Cursor::Black) {
                ++black;
                // fully outlined: no black pixel touches the clear background or the edge
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) EXPECT_NE(at(x + dx, y + dy), ui::Cursor::Clear) << x << "," << y;
            }
            if (p == ui::Cursor::White) {
                ++white;
                EXPECT_TRUE(nextToBlack(x, y)) << x << "," << y;
            }
        }
    EXPECT_GT(black, 0);
    EXPECT_GT(white, 0);
}

TEST(SplitterCursor, ArrowsPointAwayFromTheBars) {
    const ui::Cursor& c = *console::SplitterCursor();
    auto blackInRow = [&](int y) {
        std::vector<int> xs;
        for (int x = 0; x < 32; ++x)
            if (c.pixels[static_cast<std::size_t>(y * 32 + x)] == ui::Cursor::Black) xs.push_back(x);
        return xs;
    };
    int top = 0;
    while (blackInRow(top).empty()) ++top;
    int bottom = 31;
    while (blackInRow(bottom).empty()) --bottom;
    // each arrow ends in a single-pixel tip over the hot spot's column
    EXPECT_EQ(blackInRow(top), std::vector<int>{c.hotX});
    EXPECT_EQ(blackInRow(bottom), std::vector<int>{c.hotX});
    EXPECT_LT(top, c.hotY - 6);
    EXPECT_GT(bottom, c.hotY + 6);
    // a wide bar on each side of the hot spot, wider than the arrows' shafts
    EXPECT_GE(blackInRow(c.hotY - 1).size(), 9u);
    EXPECT_GE(blackInRow(c.hotY + 1).size(), 9u);
    EXPECT_LE(blackInRow(c.hotY - 5).size(), 3u);
    EXPECT_LE(blackInRow(c.hotY + 5).size(), 3u);
}

}  // namespace

namespace {

using FirstStart = testsupport::ConsoleFixture;

// The first start's placement (8000 x 6000 twips) lays the panes out by itself.
TEST_F(FirstStart, LaysOutThePanesFromThePlacement) {
    load();
    EXPECT_EQ(form().TextOut.width(), 6340.0f);
    EXPECT_EQ(form().TextOut.height(), 2060.0f);
    EXPECT_EQ(form().LabelMove.top(), 2050.0f);
    EXPECT_EQ(form().RTextBuf.top(), 2100.0f);
    EXPECT_EQ(form().RTextBuf.height(), 3490.0f);
}

}  // namespace
