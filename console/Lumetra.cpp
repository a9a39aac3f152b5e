#include "console/Lumetra.h"

#include "about/frmAbout.h"
#include "comm/CommControl.h"
#include "console/Colors.h"
#include "console/SplitterCursor.h"
#include "ui/Platform.h"
#include "ui/Skip.h"
#include "ui/Text.h"

namespace console {

namespace {

const ui::Font kSong105{u"宋体", 10.5f, false};
const ui::Font kSong12{u"宋体", 12.0f, false};

}  // namespace

Lumetra::Lumetra(Services services)
    : ui::Form(services.platform, u"Lumetra"),
      ComboPort(*this, u"ComboPort"),
      ComboSpeed(*this, u"ComboSpeed"),
      ComStartStop(*this, u"ComStartStop"),
      ComVersion(*this, u"ComVersion"),
      TextPIN(*this, u"TextPIN"),
      ComPIN(*this, u"ComPIN"),
      ComSignal(*this, u"ComSignal"),
      Comcops(*this, u"Comcops"),
      Command3(*this, u"Command3"),
      TextNumber(*this, u"TextNumber"),
      ComCallID(*this, u"ComCallID"),
      ComHandOff(*this, u"ComHandOff"),
      LabelDTR(*this, u"LabelDTR"),
      LabelRTS(*this, u"LabelRTS"),
      Label3(*this, u"Label3"),
      TextSend(*this, u"TextSend"),
      Label4(*this, u"Label4"),
      TextReceive(*this, u"TextReceive"),
      LabelDSR(*this, u"LabelDSR"),
      LabelCTS(*this, u"LabelCTS"),
      LabelCD(*this, u"LabelCD"),
      CheckDisplay(*this, u"CheckDisplay"),
      TextOut(*this, u"TextOut"),
      LabelMove(*this, u"LabelMove"),
      RTextBuf(*this, u"RTextBuf"),
      TimerRead(*this, u"TimerRead"),
      TimerDelay(*this, u"TimerDelay"),
      MSComm(services.comm),
      services_(services),
      port_(*this),
      tick_(*this),
      send_(*this) {
    design();
    wire();
}

// The serial control may outlive the window: it must not call back into it.
Lumetra::~Lumetra() { MSComm.OnComm = nullptr; }

void Lumetra::design() {
    setClientSize(7995, 9120);
    setWidth(8115);
    setHeight(9600);
    setBackColor(colors::Blue);
    designColumn();
    designKeypad();
    designSignals();
    designPanes();
}

void Lumetra::designColumn() {
    ComboPort.move(120, 120, 1325, 315);
    for (int i = 1; i <= 6; ++i) ComboPort.addItem(u"COM " + ui::Decimal(i));
    ComboPort.setBackColor(colors::LightCyan);
    ComboPort.setTabIndex(0);

    ComboSpeed.move(120, 480, 1325, 315);
    for (const char16_t* s : {u"50bps", u"75bps", u"110bps", u"150bps", u"300bps", u"600bps", u"1200bps",
                              u"2400bps", u"4800bps", u"9600bps", u"14400bps", u"19200bps", u"28800bps",
                              u"38400bps", u"57600bps", u"115200bps", u"128000bps", u"256000bps"})
        ComboSpeed.addItem(s);
    ComboSpeed.setBackColor(colors::LightCyan);
    ComboSpeed.setTabIndex(1);

    ComStartStop.move(120, 840, 1335, 375);
    ComStartStop.setCaption(u"打 开 端 口");
    ComStartStop.setTabIndex(2);
    ComVersion.move(120, 1260, 1335, 375);
    ComVersion.setCaption(u"设备初始化");
    ComVersion.setTabIndex(16);

    TextPIN.move(120, 1680, 615, 315);
    TextPIN.setMaxLength(4);
    TextPIN.setText(u"1234");
    TextPIN.setFont(kSong105);
    TextPIN.setTabIndex(19);
    ComPIN.move(780, 1680, 675, 375);
    ComPIN.setCaption(u"PIN码");
    ComPIN.setTabIndex(18);

    ComSignal.move(120, 2100, 615, 375);
    ComSignal.setCaption(u"信号");
    ComSignal.setTabIndex(17);
    Comcops.move(840, 2100, 615, 375);
    Comcops.setCaption(u"网络");
    Comcops.setTabIndex(36);

    Command3.move(120, 2520, 1335, 375);
    Command3.setCaption(u"拨 号 测 试");
    Command3.setTabIndex(20);
    TextNumber.move(120, 2940, 1325, 315);
    TextNumber.setMaxLength(20);
    TextNumber.setText(u"10086");
    TextNumber.setFont(kSong105);
    TextNumber.setTabIndex(21);

    ComCallID.move(120, 3300, 735, 435);
    ComCallID.setCaption(u"读来电");
    ComCallID.setTabIndex(35);
    ComHandOff.move(880, 3300, 550, 435);
    ComHandOff.setCaption(u"挂机");
    ComHandOff.setTabIndex(22);
}

void Lumetra::designKeypad() {
    static const char16_t* const kCaptions[12] = {u"1", u"2", u"3", u"4", u"5", u"6",
                                                  u"7", u"8", u"9", u"*", u"0", u"#"};
    for (int i = 0; i < 12; ++i) {
        auto key = std::make_unique<ui::CommandButton>(*this, u"ComDial", i);
        key->move(120.0f + 480.0f * static_cast<float>(i % 3), 3780.0f + 360.0f * static_cast<float>(i / 3), 375, 315);
        key->setCaption(kCaptions[i]);
        key->setFont(kSong105);
        key->setTabIndex(23 + i);
        ComDial[static_cast<std::size_t>(i)] = std::move(key);
    }
}

void Lumetra::designSignals() {
    auto line = [](ui::Label& l, float top, ui::Color back, int tab) {
        l.move(120, top, 1325, 255);
        l.setCaption(u"Label5");
        l.setBackColor(back);
        l.setTabIndex(tab);
    };
    line(LabelDTR, 5220, colors::Green, 3);
    LabelDTR.setToolTipText(u"改变DTR的状态");
    line(LabelRTS, 5520, colors::Green, 4);
    LabelRTS.setToolTipText(u"改变RTS的状态");

    Label3.move(120, 5880, 375, 255);
    Label3.setCaption(u"发送");
    Label3.setBackColor(colors::LightBlue);
    Label3.setTabIndex(9);
    TextSend.move(520, 5835, 200, 270);
    TextSend.setBackColor(colors::Yellow);
    TextSend.setTabIndex(11);
    Label4.move(800, 5880, 375, 255);
    Label4.setCaption(u"接收");
    Label4.setBackColor(colors::LightBlue);
    Label4.setTabIndex(10);
    TextReceive.move(1240, 5835, 200, 270);
    TextReceive.setBackColor(colors::Yellow);
    TextReceive.setTabIndex(12);

    line(LabelDSR, 6180, colors::LightYellow, 13);
    line(LabelCTS, 6480, colors::Green, 14);
    line(LabelCD, 6780, colors::Green, 15);

    CheckDisplay.move(120, 7080, 1400, 255);
    CheckDisplay.setCaption(u"显示十六进制");
    CheckDisplay.setBackColor(colors::LightBlue);
    CheckDisplay.setForeColor(colors::Blue);
    CheckDisplay.setTabIndex(5);
}

void Lumetra::designPanes() {
    TextOut.move(1560, 0, 6615, 2175);
    TextOut.setFont(kSong12);
    TextOut.setTabIndex(6);
    LabelMove.move(1560, 2520, 6615, 255);
    LabelMove.setCaption(std::u16string(41, u'-'));
    LabelMove.setBackColor(colors::Blue);
    LabelMove.setTabIndex(8);
    LabelMove.setMouseIcon(SplitterCursor());
    RTextBuf.move(1560, 3120, 6615, 3855);
    RTextBuf.setFont(kSong12);
    RTextBuf.setTabIndex(7);
    TimerRead.setInterval(0);
    TimerDelay.setInterval(0);
}

void Lumetra::wire() {
    Load = [this] { Form_Load(); };
    Unload = [this](std::int16_t& cancel) { Form_Unload(cancel); };
    ComStartStop.Click = [this] { port_.ComStartStop_Click(); };
    ComboSpeed.Click = [this] { port_.ComboSpeed_Click(); };
    LabelDTR.Click = [this] { port_.LabelDTR_Click(); };
    LabelRTS.Click = [this] { port_.LabelRTS_Click(); };
    TimerRead.Tick = [this] { tick_.TimerRead_Timer(); };
    CheckDisplay.Click = [this] { tick_.CheckDisplay_Click(); };
    MSComm.OnComm = [this] { tick_.MSComm_OnComm(); };
    TextOut.KeyPress = [this](std::int16_t& k) { send_.TextOut_KeyPress(k); };
    TimerDelay.Tick = [this] { send_.TimerDelay_Timer(); };
    Resize = [this] { layout_.Form_Resize(); };
    LabelMove.MouseMove = [this](std::int16_t b, std::int16_t s, float x, float y) {
        layout_.LabelMove_MouseMove(b, s, x, y);
    };
    DblClick = [this] { Form_DblClick(); };
    wireModuleTests();
}

void Lumetra::wireModuleTests() {
    ComCallID.Click = [this] { buttons_.ComCallID_Click(); };
    Comcops.Click = [this] { buttons_.Comcops_Click(); };
    ComHandOff.Click = [this] { buttons_.ComHandOff_Click(); };
    Command3.Click = [this] { buttons_.Command3_Click(); };
    ComPIN.Click = [this] { buttons_.ComPIN_Click(); };
    ComSignal.Click = [this] { buttons_.ComSignal_Click(); };
    for (auto& key : ComDial) {
        const auto index = static_cast<std::int16_t>(key->index());
        key->Click = [this, index] { buttons_.ComDial_Click(index); };
    }
    TextNumber.KeyPress = [this](std::int16_t& k) { buttons_.TextNumber_KeyPress(k); };
    TextPIN.KeyPress = [this](std::int16_t& k) { buttons_.TextPIN_KeyPress(k); };
    ComVersion.Click = [this] { selfTest_.ComVersion_Click(); };
}

std::u16string Lumetra::VersionText() {
    const ui::AppInfo& app = platform().app();
    return u"V" + ui::Decimal(app.major) + u"." + ui::Decimal(app.minor) + ui::Decimal(app.revision);
}

void Lumetra::Form_Load() {
    placement_.Restore();
    closedState();
}

// One About window for the whole run, made on first use; showing it again
// only brings it forward.
void Lumetra::Form_DblClick() {
    if (!about_) about_ = std::make_unique<about::frmAbout>(platform(), services_.registry, services_.shell);
    platform().show(*about_);
}

void Lumetra::closedState() {
    const std::pair<ui::Label*, const char16_t*> lines[] = {
        {&LabelDTR, u"  DTR"}, {&LabelRTS, u"  RTS"}, {&LabelDSR, u"  DSR"}, {&LabelCTS, u"  CTS"}, {&LabelCD, u"  CD"}};
    for (auto [label, caption] : lines) {
        label->setCaption(caption);
        label->setBackColor(colors::LightYellow);
    }
    PortIsOpen = false;
    TextOut.setEnabled(false);
    TextOut.setText(u"请先打开端口!");
    RTextBuf.setText(u"");
    LabelMove.setCaption(u"");
    setCaption(u"设备测试程序  版本 " + VersionText());
}

// The window always closes: a port that cannot be read or closed is skipped.
// A port whose state cannot be read is closed all the same.
void Lumetra::Form_Unload(std::int16_t&) {
    bool open = true;
    ui::Skip([&] { open = MSComm.portOpen(); });
    if (open) ui::Skip([this] { MSComm.setPortOpen(false); });
    ui::Skip([this] { placement_.Save(); });
}

}  // namespace console
