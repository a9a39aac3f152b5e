#include <gtest/gtest.h>

#include <algorithm>

#include "about/frmAbout.h"
#include "tests/support/ConsoleFixture.h"

namespace {

class AboutWindowTest : public testsupport::ConsoleFixture {
protected:
    void SetUp() override { load(); }

    // The About window while it is loaded, else null.
    about::frmAbout* openAbout() {
        for (ui::Form* f : platform().shown)
            if (auto* a = dynamic_cast<about::frmAbout*>(f)) return a;
        return nullptr;
    }
    int aboutWindowsLoaded() {
        return static_cast<int>(std::count_if(platform().shown.begin(), platform().shown.end(),
                                              [](ui::Form* f) { return dynamic_cast<about::frmAbout*>(f); }));
    }
    // Counts the About window's loads from now on.
    void countLoads(about::frmAbout& a) {
        auto load = a.Load;
        a.Load = [this, load] {
            ++loads;
            load();
        };
    }
    int loads = 0;
};

TEST_F(AboutWindowTest, DoubleClickShowsTitleAndVersionOnTop) {
    const std::u16string mainCaption = form().caption();
    form().userDblClick();
    about::frmAbout* a = openAbout();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->caption(), u"关于 Orvane测试工具");
    EXPECT_EQ(a->lblTitle.caption(), u"Orvane测试工具");
    EXPECT_EQ(a->lblVersion.caption(), u"版本 1.1.2");
    EXPECT_TRUE(a->topMost());
    EXPECT_EQ(form().caption(), mainCaption);
    EXPECT_TRUE(form().loaded());
}

TEST_F(AboutWindowTest, DesignIsAFixedDialogWithOneButton) {
    form().userDblClick();
    about::frmAbout* a = openAbout();
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->sizable());
    EXPECT_EQ(a->clientWidth(), 5730);
    EXPECT_EQ(a->clientHeight(), 3195);
    EXPECT_EQ(a->cmdOK.caption(), u"确定");
    EXPECT_TRUE(a->cmdOK.isDefault());
    EXPECT_TRUE(a->cmdOK.isCancel());
    EXPECT_EQ(a->lblTitle.foreColor(), (ui::Color{255, 0, 0}));
    EXPECT_EQ(a->lblTitle.font(), (ui::Font{u"宋体", 24.0f, true}));
    // a grey rule over a white one: the sunken separator
    ASSERT_TRUE(a->Line1[0] && a->Line1[1]);
    EXPECT_EQ(a->Line1[1]->foreColor(), (ui::Color{128, 128, 128}));
    EXPECT_EQ(a->Line1[1]->y1(), 2445);
    EXPECT_EQ(a->Line1[0]->foreColor(), (ui::Color{255, 255, 255}));
    EXPECT_EQ(a->Line1[0]->borderWidth(), 2);
    EXPECT_EQ(a->Line1[0]->y1(), 2460);
    EXPECT_FALSE(a->lblDescription.caption().empty());
    EXPECT_FALSE(a->Label1.caption().empty());
}

TEST_F(AboutWindowTest, SecondDoubleClickWhileOpenLoadsNothing) {
    form().userDblClick();
    about::frmAbout* a = openAbout();
    ASSERT_NE(a, nullptr);
    countLoads(*a);
    platform().appInfo().title = u"别的标题";
    form().userDblClick();
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(aboutWindowsLoaded(), 1);
    EXPECT_EQ(a->caption(), u"关于 Orvane测试工具");
}

TEST_F(AboutWindowTest, OkUnloadsAndTheNextDoubleClickLoadsAfresh) {
    form().userDblClick();
    about::frmAbout* a = openAbout();
    ASSERT_NE(a, nullptr);
    countLoads(*a);
    a->cmdOK.userClick();
    EXPECT_EQ(openAbout(), nullptr);
    EXPECT_FALSE(a->loaded());

    platform().appInfo().title = u"测试";
    platform().appInfo().major = 2;
    platform().appInfo().minor = 0;
    platform().appInfo().revision = 15;
    a->setTopMost(false);  // as a window the platform made anew would start
    form().userDblClick();
    EXPECT_EQ(openAbout(), a);  // the same window object, loaded again
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(a->caption(), u"关于 测试");
    EXPECT_EQ(a->lblTitle.caption(), u"测试");
    EXPECT_EQ(a->lblVersion.caption(), u"版本 2.0.15");
    EXPECT_TRUE(a->topMost());
}

TEST_F(AboutWindowTest, DisabledMainWindowTakesNoDoubleClick) {
    form().setEnabled(false);  // as during a command's wait
    form().userDblClick();
    EXPECT_EQ(openAbout(), nullptr);
    form().setEnabled(true);
    form().userDblClick();
    EXPECT_NE(openAbout(), nullptr);
}

TEST_F(AboutWindowTest, ClosingTheMainWindowLeavesAboutOpen) {
    form().userDblClick();
    ASSERT_NE(openAbout(), nullptr);
    platform().unload(form());
    EXPECT_FALSE(form().loaded());
    ASSERT_NE(openAbout(), nullptr);
    EXPECT_TRUE(openAbout()->loaded());
}

TEST_F(AboutWindowTest, MainWindowKeepsWorkingWhileAboutIsOpen) {
    form().userDblClick();
    ASSERT_NE(openAbout(), nullptr);
    clickOpen();
    EXPECT_TRUE(form().PortIsOpen);
    EXPECT_TRUE(openAbout()->loaded());
}

}  // namespace
