#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/qt/PlacementLearner.h"

namespace {

using namespace platform::qt;

// The main window sent to 3000/1500/8000/6000 on a 1280 x 1024 desktop; each
// event ("ms state outer client;") taken as settled, the worst a loaded
// machine can do.
struct Replay {
    PlacementLearner placement{15.0, PixelFrame{4, 28, 4, 4}};
    TwipsBounds model{3000, 1500, 8000, 6000};
    std::vector<PixelSize> resized;
    int lookAgainMs = 0;

    explicit Replay(TwipsBounds b = {3000, 1500, 8000, 6000}) { placement.place(b, {1280, 1024}, 1000); }
    Replay& run(const char* e) {
        for (int v[10], n = 0; std::sscanf(e, " %d %d %d,%d,%d,%d %d,%d,%d,%d;%n", v, v + 1, v + 2, v + 3, v + 4, v + 5,
                                           v + 6, v + 7, v + 8, v + 9, &n) == 10 &&
                               n;
             e += n, n = 0) {
            const PixelFrame frame{v[6] - v[2], v[7] - v[3], v[2] + v[4] - v[6] - v[8], v[3] + v[5] - v[7] - v[9]};
            const auto o = placement.settled({v[1], {v[2], v[3], v[4], v[5]}, frame, {0, 0, 1280, 1024}, v[0]}, model);
            model = o.bounds;
            if (o.newClient) resized.push_back(*o.newClient);
            lookAgainMs = o.lookAgainMs;
        }
        return *this;
    }
};

// Recorded on Xvfb with openbox, from Qt's move, resize and state events.
const char* const kShown =
    "1000 0 200,100,525,368 200,100,525,368; 1004 0 200,100,527,393 201,120,525,368;"
    "1004 0 200,100,533,400 201,120,531,375;";
const char* const kCycles =
    "2477 2 200,100,533,400 201,120,531,375; 2478 2 200,100,1282,1030 201,120,1280,1005;"
    "2485 2 -1,-1,1282,1030 0,19,1280,1005; 3186 0 -1,-1,1282,1030 0,19,1280,1005;"
    "3190 0 200,100,1282,1030 201,120,1280,1005; 3190 0 200,100,533,400 201,120,531,375;"
    "3892 2 200,100,533,400 201,120,531,375; 3894 2 201,101,1280,1024 201,120,1280,1005;"
    "3902 2 0,0,1280,1024 0,19,1280,1005; 4600 0 0,0,1280,1024 0,19,1280,1005;"
    "4604 0 201,101,1280,1024 201,120,1280,1005; 4605 0 200,100,533,400 201,120,531,375;";

// Neither the half-updated states of a maximize or restore, nor a window
// moved over the work area before it is said to be maximized, are normal.
TEST(PlacementLearning, MaximizeAndRestoreKeepTheNormalBoundsAsSet) {
    Replay r;
    r.run(kShown).run(kCycles).run("5305 1 200,100,533,400 201,120,531,375; 6000 2 0,0,1280,1024 0,19,1280,1005;");
    EXPECT_EQ(r.model, (TwipsBounds{0, 0, 19200, 15360}));  // a maximized window's own bounds
    r.run(kCycles).run(
        "7000 0 -1,-1,1282,1030 0,19,1280,1005; 7001 2 -1,-1,1282,1030 0,19,1280,1005;"
        "8000 2 200,100,533,400 201,120,531,375; 8001 0 200,100,533,400 201,120,531,375;");
    EXPECT_EQ(r.model, (TwipsBounds{3000, 1500, 8000, 6000}));
    EXPECT_EQ(r.resized, (std::vector<PixelSize>{{531, 375}}));  // once, for the frame openbox draws
}

TEST(PlacementLearning, WhatTheWindowSettlesOnIsLearned) {
    Replay r;
    r.run(kShown).run(kCycles).run("4700 0 201,100,533,401 202,120,531,376;");  // the user drags and resizes
    EXPECT_EQ(r.model, (TwipsBounds{3015, 1500, 8000, 6015}));  // a pixel off keeps nothing of the old twips
    Replay elsewhere;  // shown elsewhere than it was sent: that stands once the window manager had time
    elsewhere.run("1004 0 0,0,533,400 1,20,531,375;");
    ASSERT_EQ(elsewhere.lookAgainMs, 996);
    elsewhere.run("2000 0 0,0,533,400 1,20,531,375;");
    EXPECT_EQ(elsewhere.model, (TwipsBounds{0, 0, 8000, 6000}));
    Replay restored;  // started maximized: its frame is taken on a second look back
    restored.run("1002 2 0,0,1280,1024 0,19,1280,1005; 3000 0 200,100,527,393 201,120,525,368;");
    EXPECT_TRUE(restored.resized.empty() && restored.lookAgainMs > 0);
    restored.run("3050 0 200,100,527,393 201,120,525,368;");
    EXPECT_EQ(restored.resized, (std::vector<PixelSize>{{531, 375}}));
}

TEST(PlacementLearning, ASizeNoDesktopCanShowIsCutToWhatAWindowMayHave) {
    Replay r({3000, 1500, 600000, 600000});
    EXPECT_EQ(r.placement.normal(), (TwipsBounds{3000, 1500, 19320, 15840}));  // 1280 x 1024 in the design frame
    r.run(
        "1003 0 200,100,1282,1049 201,120,1280,1024; 2861 2 0,0,1280,1024 0,19,1280,1005;"
        "3568 0 0,0,1280,1024 0,19,1280,1005; 3573 0 1,1,1280,1043 1,20,1280,1024;"
        "3574 0 200,100,1282,1049 201,120,1280,1024;");
    EXPECT_EQ(r.model, (TwipsBounds{3000, 1500, 19230, 15735}));
    EXPECT_TRUE(r.resized.empty());
    EXPECT_EQ(r.placement.place({0, 0, 15, 15}, {1280, 1024}, 0).client, (PixelSize{1, 1}));  // nor one too small
}

}  // namespace
