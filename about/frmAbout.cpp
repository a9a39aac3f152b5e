#include "about/frmAbout.h"

#include "ui/Platform.h"
#include "ui/Text.h"

namespace about {

namespace {

constexpr ui::Color kRed{255, 0, 0};
constexpr ui::Color kBlack{0, 0, 0};
constexpr ui::Color kGrey{128, 128, 128};
constexpr ui::Color kWhite{255, 255, 255};

}  // namespace

frmAbout::frmAbout(ui::Platform& platform, Registry& registry, SystemShell& shell)
    : ui::Form(platform, u"frmAbout"),
      lblTitle(*this, u"lblTitle"),
      lblVersion(*this, u"lblVersion"),
      lblDescription(*this, u"lblDescription"),
      Label1(*this, u"Label1"),
      cmdOK(*this, u"cmdOK"),
      launcher_(platform, registry, shell) {
    design();
    wire();
}

void frmAbout::design() {
    setCaption(u"关于我的应用程序");
    setClientSize(5730, 3195);
    // A fixed dialog frame: 3-pixel borders and the caption bar around the client area.
    setWidth(5820);
    setHeight(3630);
    setSizable(false);
    designLabels();
    cmdOK.move(840, 2640, 1500, 345);
    cmdOK.setCaption(u"确定");
    cmdOK.setDefault(true);
    cmdOK.setCancel(true);
    cmdOK.setTabIndex(0);
    designSeparator();
}

void frmAbout::designLabels() {
    lblTitle.move(840, 360, 3525, 480);
    lblTitle.setCaption(u"Orvane测试工具");
    lblTitle.setForeColor(kRed);
    lblTitle.setFont(ui::Font{u"宋体", 24.0f, true});
    lblVersion.move(1080, 1200, 3885, 225);
    lblVersion.setCaption(u"版本 1.2");
    lblVersion.setFont(ui::Font{u"宋体", 12.0f, false});
    lblDescription.move(1080, 1560, 3165, 225);
    lblDescription.setCaption(u"GSM模块串口AT指令测试控制台");
    lblDescription.setForeColor(kBlack);
    lblDescription.setFont(ui::Font{u"宋体", 10.5f, false});
    Label1.move(1080, 1860, 3375, 315);
    Label1.setCaption(u"作者: Lumetra 开发组");
    Label1.setFont(ui::Font{u"宋体", 10.5f, false});
}

// A grey line over a white one, one pixel lower: a sunken rule above the button.
void frmAbout::designSeparator() {
    Line1[1] = std::make_unique<ui::Line>(*this, u"Line1", 1);
    Line1[1]->setForeColor(kGrey);
    Line1[1]->setBorderWidth(1);
    Line1[1]->setPoints(90, 2445, 5654, 2445);
    Line1[0] = std::make_unique<ui::Line>(*this, u"Line1", 0);
    Line1[0]->setForeColor(kWhite);
    Line1[0]->setBorderWidth(2);
    Line1[0]->setPoints(105, 2460, 5654, 2460);
}

void frmAbout::wire() {
    Load = [this] { Form_Load(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
}

// Every load shows the title and version afresh and asks to stay in front;
// a platform that cannot keep it there leaves an ordinary window.
void frmAbout::Form_Load() {
    const ui::AppInfo& app = platform().app();
    setCaption(u"关于 " + app.title);
    lblVersion.setCaption(u"版本 " + ui::Decimal(app.major) + u"." + ui::Decimal(app.minor) + u"." +
                          ui::Decimal(app.revision));
    lblTitle.setCaption(app.title);
    setTopMost(true);
}

void frmAbout::cmdOK_Click() {
    platform().unload(*this);
}

}  // namespace about
