#include <gtest/gtest.h>

#include <memory>

#include "console/settings/PublicMod.h"
#include "console/settings/WindowPlacement.h"
#include "tests/support/ConsoleFixture.h"

namespace {

using testsupport::ConsoleFixture;

class WindowPlacementTest : public ConsoleFixture {
protected:
    void store(const std::string& section, const std::string& key, const std::string& value) {
        profile().set(section, key, value);
    }
    // The restore stage once more, over what the settings hold now.
    void restore() { placement.Restore(); }
    console::Lumetra& current() { return next_ ? *next_ : form(); }
    // Closes the window and starts the program again over the same settings.
    console::Lumetra& restart() {
        platform().unload(current());
        next_ =
            std::make_unique<console::Lumetra>(console::Services{platform(), port(), profile(), registry(), shell()});
        platform().show(*next_);
        return *next_;
    }
    std::string saved(const std::string& section, const std::string& key) { return profile().value(section, key); }

    console::PublicMod mod{profile(), platform()};
    console::WindowPlacement placement{form(), mod};
    std::unique_ptr<console::Lumetra> next_;
};

TEST_F(WindowPlacementTest, FirstStartUsesTheDefaultsAndCloseWritesAllSevenKeys) {
    load();
    EXPECT_EQ(form().ComboPort.text(), u"COM 1");
    EXPECT_EQ(form().ComboSpeed.text(), u"1200bps");
    EXPECT_EQ(port().settings(), u"1200,N,8,1");  // ComboSpeed_Click ran during Load
    EXPECT_EQ(form().top(), 50);
    EXPECT_EQ(form().left(), 50);
    EXPECT_EQ(form().width(), 8000);
    EXPECT_EQ(form().height(), 6000);
    EXPECT_EQ(form().windowState(), ui::Normal);
    EXPECT_EQ(form().TextOut.text(), u"请先打开端口!");  // the closed state still follows

    platform().unload(form());
    const std::tuple<const char*, const char*, const char*> keys[] = {
        {"LumetraSet", "Port", "0"},  {"LumetraSet", "Speed", "6"}, {"Point", "Top", "50"},
        {"Point", "Left", "50"},      {"Point", "Width", "8000"},   {"Point", "Height", "6000"},
        {"Point", "WindowState", "0"}};
    for (auto [section, key, value] : keys) EXPECT_EQ(saved(section, key), value) << key;
    EXPECT_EQ(profile().writes, 7);
    EXPECT_EQ(profile().lastPath, "/nonexistent/lumetra.ini");
}

TEST_F(WindowPlacementTest, StoredListIndexesAboveTheListAreReplaced) {
    load();
    const std::pair<const char*, const char16_t*> ports[] = {
        {"5", u"COM 6"}, {"6", u"COM 1"}, {"2147483647", u"COM 1"}};
    for (auto [stored, entry] : ports) {
        store("LumetraSet", "Port", stored);
        restore();
        EXPECT_EQ(form().ComboPort.text(), entry) << stored;
    }
    const std::tuple<const char*, const char16_t*, const char16_t*> speeds[] = {
        {"17", u"256000bps", u"256000,N,8,1"}, {"18", u"1200bps", u"1200,N,8,1"}, {"0", u"50bps", u"50,N,8,1"}};
    for (auto [stored, entry, settings] : speeds) {
        store("LumetraSet", "Speed", stored);
        restore();
        EXPECT_EQ(form().ComboSpeed.text(), entry) << stored;
        EXPECT_EQ(port().settings(), settings) << stored;
    }
}

// Nothing the save stage writes is this low, but a hand-edited file may be:
// the lists select nothing, the state is ignored, and Load completes.
TEST_F(WindowPlacementTest, NegativeStoredValuesSelectNothingAndLoadCompletes) {
    store("LumetraSet", "Port", "-7");
    store("LumetraSet", "Speed", "-7");
    store("Point", "WindowState", "-1");
    load();
    EXPECT_EQ(form().ComboPort.listIndex(), -1);
    EXPECT_EQ(form().ComboSpeed.listIndex(), -1);
    EXPECT_EQ(port().settings(), u"9600,N,8,1");
    EXPECT_EQ(form().windowState(), ui::Normal);
    EXPECT_TRUE(platform().escapes.empty());
    EXPECT_EQ(form().TextOut.text(), u"请先打开端口!");

    platform().unload(form());  // an empty selection is stored as -1
    EXPECT_EQ(saved("LumetraSet", "Port"), "-1");
    EXPECT_EQ(saved("LumetraSet", "Speed"), "-1");
}

TEST_F(WindowPlacementTest, TooSmallSizesAreReplacedAndLargeOnesKept) {
    load();
    const std::tuple<const char*, float, const char*, float> sizes[] = {{"2999", 8000, "1499", 6000},
                                                                        {"3000", 3000, "1500", 1500},
                                                                        {"-1", 8000, "0", 6000},
                                                                        {"100000", 100000, "90000", 90000}};
    for (auto [width, expectW, height, expectH] : sizes) {
        store("Point", "Width", width);
        store("Point", "Height", height);
        restore();
        EXPECT_EQ(form().width(), expectW) << width;
        EXPECT_EQ(form().height(), expectH) << height;
    }
}

TEST_F(WindowPlacementTest, TopIsKeptOnTheScreenThenAboveZero) {
    load();
    // A fifth of 11522.5 is 2304.5 and of 11527.5 is 2305.5: halves go to the
    // even neighbour. On a screen 500 high -2000 is not past the bottom, and
    // is then raised to 0.
    const std::tuple<float, const char*, float> cases[] = {
        {11520, "10520", 10520},   {11520, "10521", 2304}, {11520, "-5", 0},  {11522.5f, "99999", 2304},
        {11527.5f, "99999", 2306}, {500, "-2000", 0},      {500, "5000", 100}};
    for (auto [screenH, stored, expected] : cases) {
        platform().setScreen(15360, screenH);
        store("Point", "Top", stored);
        restore();
        EXPECT_EQ(form().top(), expected) << screenH << " " << stored;
    }
}

TEST_F(WindowPlacementTest, LeftIsRaisedToZeroThenKeptOnTheScreen) {
    load();
    // A fifth of 15362.5 is 3072.5 and of 15367.5 is 3073.5. On a screen 1000
    // wide -600 is raised to 0, which is then past the screen's right part.
    const std::tuple<float, const char*, float> cases[] = {{15360, "13860", 13860},   {15360, "13861", 3072},
                                                           {15360, "-5", 0},          {15362.5f, "99999", 3072},
                                                           {15367.5f, "99999", 3074}, {1000, "-600", 200}};
    for (auto [screenW, stored, expected] : cases) {
        platform().setScreen(screenW, 11520);
        store("Point", "Left", stored);
        restore();
        EXPECT_EQ(form().left(), expected) << screenW << " " << stored;
    }
}

TEST_F(WindowPlacementTest, OnlyANormalOrMaximizedStateIsApplied) {
    load();
    const std::pair<const char*, int> cases[] = {{"2", ui::Maximized}, {"0", ui::Normal},  {"1", ui::Normal},
                                                 {"3", ui::Normal},    {"50", ui::Normal}, {"-2", ui::Normal}};
    for (auto [stored, expected] : cases) {
        form().setWindowState(ui::Normal);
        store("Point", "WindowState", stored);
        restore();
        EXPECT_EQ(form().windowState(), expected) << stored;
    }
}

TEST_F(WindowPlacementTest, MaximizedWindowComesBackMaximizedOverItsNormalBounds) {
    load();
    form().userSetBounds(300, 400, 9000, 7000);
    form().userSetWindowState(ui::Maximized);
    platform().unload(form());
    EXPECT_EQ(form().windowState(), ui::Normal);
    EXPECT_EQ(saved("Point", "Top"), "400");
    EXPECT_EQ(saved("Point", "Left"), "300");
    EXPECT_EQ(saved("Point", "Width"), "9000");
    EXPECT_EQ(saved("Point", "Height"), "7000");
    EXPECT_EQ(saved("Point", "WindowState"), "2");

    console::Lumetra& again = restart();
    EXPECT_EQ(again.top(), 400);
    EXPECT_EQ(again.left(), 300);
    EXPECT_EQ(again.width(), 9000);
    EXPECT_EQ(again.height(), 7000);
    EXPECT_EQ(again.windowState(), ui::Maximized);
}

TEST_F(WindowPlacementTest, MinimizedWindowComesBackNormal) {
    load();
    form().userSetBounds(600, 700, 5000, 4000);
    form().userSetWindowState(ui::Minimized);
    platform().unload(form());
    EXPECT_EQ(saved("Point", "WindowState"), "1");

    console::Lumetra& again = restart();
    EXPECT_EQ(again.windowState(), ui::Normal);
    EXPECT_EQ(again.top(), 700);
    EXPECT_EQ(again.width(), 5000);
}

TEST_F(WindowPlacementTest, ChosenPortAndSpeedSurviveARestart) {
    load();
    selectPort(3);
    selectSpeed(15);
    console::Lumetra& again = restart();
    EXPECT_EQ(again.ComboPort.text(), u"COM 4");
    EXPECT_EQ(again.ComboSpeed.text(), u"115200bps");
    EXPECT_EQ(port().settings(), u"115200,N,8,1");
}

TEST_F(WindowPlacementTest, BoundsAreWrittenInTheGeneralDecimalForm) {
    load();
    form().setLeft(100.5f);
    form().setTop(101.0f);
    form().setWidth(8000.25f);
    form().setHeight(-2.5f);
    platform().unload(form());
    EXPECT_EQ(saved("Point", "Left"), "100.5");
    EXPECT_EQ(saved("Point", "Top"), "101");
    EXPECT_EQ(saved("Point", "Width"), "8000.25");
    EXPECT_EQ(saved("Point", "Height"), "-2.5");
}

TEST_F(WindowPlacementTest, SettingsAreSavedEvenWhenThePortWillNotClose) {
    load();
    selectSpeed(9);
    clickOpen();
    ASSERT_TRUE(port().portOpen());
    port().fail(Member::PortOpenSet, 8021);
    platform().unload(form());
    EXPECT_EQ(saved("LumetraSet", "Speed"), "9");
    EXPECT_EQ(saved("Point", "WindowState"), "0");
}

}  // namespace
