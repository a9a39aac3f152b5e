#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "platform/qt/WindowPlacement.h"

namespace {

using platform::qt::PixelFrame;
using platform::qt::PixelSize;
using platform::qt::TwipsBounds;

// The main window at 3000/1500/8000/6000 on a 1280 x 1024 desktop. Every
// event the window got is taken as settled, the worst a loaded machine does.
struct Replay {
    platform::qt::WindowPlacement placement{15.0, PixelFrame{4, 28, 4, 4}};
    TwipsBounds model{3000, 1500, 8000, 6000};
    std::vector<PixelSize> resized;
    int lookAgainMs = 0;

    explicit Replay(TwipsBounds b = {3000, 1500, 8000, 6000}) { placement.place(b, {1280, 1024}, 1000); }
    void run(std::initializer_list<const char*> events) {
        for (const char* e : events) {
            platform::qt::PlacementSample s;
            s.workArea = {0, 0, 1280, 1024};
            int x, y, w, h;
            std::sscanf(e, "ev %lld st=%d outer=%d,%d,%d,%d geo=%d,%d,%d,%d", &s.ms, &s.state, &s.outer.x, &s.outer.y,
                        &s.outer.width, &s.outer.height, &x, &y, &w, &h);
            s.frame = {x - s.outer.x, y - s.outer.y, s.outer.x + s.outer.width - x - w,
                       s.outer.y + s.outer.height - y - h};
            const auto o = placement.settled(s, model);
            model = o.bounds;
            if (o.newClient) resized.push_back(*o.newClient);
            lookAgainMs = o.lookAgainMs;
        }
    }
};

// Recorded on Xvfb with openbox, from Qt's move, resize and state events.
#define OPENBOX_SHOWN                                             \
    "ev 1000 st=0 outer=200,100,525,368 geo=200,100,525,368",     \
        "ev 1004 st=0 outer=200,100,527,393 geo=201,120,525,368", \
        "ev 1004 st=0 outer=200,100,533,400 geo=201,120,531,375"
#define OPENBOX_CYCLE                                                                                                 \
    "ev 2477 st=2 outer=200,100,533,400 geo=201,120,531,375",                                                         \
        "ev 2478 st=2 outer=200,100,1282,1030 geo=201,120,1280,1005",                                                 \
        "ev 2485 st=2 outer=-1,-1,1282,1030 geo=0,19,1280,1005",                                                      \
        "ev 3186 st=0 outer=-1,-1,1282,1030 geo=0,19,1280,1005",                                                      \
        "ev 3190 st=0 outer=200,100,1282,1030 geo=201,120,1280,1005",                                                 \
        "ev 3190 st=0 outer=200,100,533,400 geo=201,120,531,375",                                                     \
        "ev 3892 st=2 outer=200,100,533,400 geo=201,120,531,375",                                                     \
        "ev 3894 st=2 outer=201,101,1280,1024 geo=201,120,1280,1005",                                                 \
        "ev 3902 st=2 outer=0,0,1280,1024 geo=0,19,1280,1005", "ev 4600 st=0 outer=0,0,1280,1024 geo=0,19,1280,1005", \
        "ev 4604 st=0 outer=201,101,1280,1024 geo=201,120,1280,1005",                                                 \
        "ev 4605 st=0 outer=200,100,533,400 geo=201,120,531,375"

TEST(PlacementLearning, MaximizeAndRestoreUnderOpenboxKeepTheNormalBoundsAsSet) {
    Replay r;
    r.run({OPENBOX_SHOWN});
    EXPECT_EQ(r.model, (TwipsBounds{3000, 1500, 8000, 6000}));
    r.run({OPENBOX_CYCLE, "ev 5305 st=1 outer=200,100,533,400 geo=201,120,531,375"});
    EXPECT_EQ(r.placement.normal(), (TwipsBounds{3000, 1500, 8000, 6000}));
    r.run({"ev 6000 st=2 outer=0,0,1280,1024 geo=0,19,1280,1005"});  // a maximized window's own bounds
    EXPECT_EQ(r.model, (TwipsBounds{0, 0, 19200, 15360}));
    r.run({OPENBOX_CYCLE});
    EXPECT_EQ(r.model, (TwipsBounds{3000, 1500, 8000, 6000}));
    ASSERT_EQ(r.resized.size(), 1u);  // once, for the frame openbox draws
    EXPECT_EQ(r.resized[0], (PixelSize{531, 375}));
}

TEST(PlacementLearning, AWindowMovedOverTheWorkAreaBeforeItIsMaximizedKeepsItsNormalBounds) {
    Replay r;
    r.run({OPENBOX_SHOWN, "ev 3000 st=0 outer=-1,-1,1282,1030 geo=0,19,1280,1005",
           "ev 3001 st=2 outer=-1,-1,1282,1030 geo=0,19,1280,1005",
           "ev 4000 st=2 outer=200,100,533,400 geo=201,120,531,375",
           "ev 4001 st=0 outer=200,100,533,400 geo=201,120,531,375"});
    EXPECT_EQ(r.model, (TwipsBounds{3000, 1500, 8000, 6000}));
}

TEST(PlacementLearning, WhatTheUserDoesToTheNormalWindowIsLearned) {
    Replay r;
    r.run({OPENBOX_SHOWN, OPENBOX_CYCLE, "ev 4700 st=0 outer=201,100,533,401 geo=202,120,531,376"});
    EXPECT_EQ(r.model, (TwipsBounds{3015, 1500, 8000, 6015}));  // a pixel off keeps nothing of the old twips
    r.run({"ev 4800 st=0 outer=300,150,640,480 geo=301,170,638,455"});
    EXPECT_EQ(r.model, (TwipsBounds{4500, 2250, 9600, 7200}));
    // Shown elsewhere than it was sent: that stands once the window manager had time.
    Replay elsewhere;
    elsewhere.run({"ev 1004 st=0 outer=0,0,533,400 geo=1,20,531,375"});
    EXPECT_EQ(elsewhere.model.left, 3000.0f);
    ASSERT_EQ(elsewhere.lookAgainMs, 996);
    elsewhere.run({"ev 2000 st=0 outer=0,0,533,400 geo=1,20,531,375"});
    EXPECT_EQ(elsewhere.model, (TwipsBounds{0, 0, 8000, 6000}));
}

// Started maximized: the frame is the design's guess until the window is
// restored, and all of the restore may come in at once.
TEST(PlacementLearning, TheFirstStateBackFromMaximizedIsReadASecondTime) {
    Replay r;
    r.run({"ev 1002 st=2 outer=0,0,1280,1024 geo=0,19,1280,1005",
           "ev 3000 st=0 outer=200,100,527,393 geo=201,120,525,368"});
    EXPECT_TRUE(r.resized.empty());
    ASSERT_GT(r.lookAgainMs, 0);
    r.run({"ev 3050 st=0 outer=200,100,527,393 geo=201,120,525,368"});
    EXPECT_EQ(r.resized, (std::vector<PixelSize>{{531, 375}}));
    EXPECT_EQ(r.model, (TwipsBounds{3000, 1500, 8000, 6000}));
}

TEST(PlacementLearning, ASizeNoDesktopCanShowIsCutToWhatAWindowMayHave) {
    Replay r({3000, 1500, 600000, 600000});
    EXPECT_EQ(r.placement.normal(), (TwipsBounds{3000, 1500, 19320, 15840}));  // 1280 x 1024 inside the design frame
    r.run({"ev 1003 st=0 outer=200,100,1282,1049 geo=201,120,1280,1024",
           "ev 2861 st=2 outer=0,0,1280,1024 geo=0,19,1280,1005", "ev 3568 st=0 outer=0,0,1280,1024 geo=0,19,1280,1005",
           "ev 3570 st=0 outer=0,0,1280,1043 geo=0,19,1280,1024", "ev 3573 st=0 outer=1,1,1280,1043 geo=1,20,1280,1024",
           "ev 3574 st=0 outer=200,100,1282,1049 geo=201,120,1280,1024"});
    EXPECT_EQ(r.model, (TwipsBounds{3000, 1500, 19230, 15735}));
    EXPECT_TRUE(r.resized.empty());
    platform::qt::WindowPlacement tiny{15.0, PixelFrame{4, 28, 4, 4}};
    EXPECT_EQ(tiny.place({0, 0, 60, 60}, {1280, 1024}, 0).client, (PixelSize{1, 1}));
}

}  // namespace
