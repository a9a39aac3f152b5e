#include "console/PortSwitch.h"

#include <string>
#include <string_view>

#include "comm/CommControl.h"
#include "comm/CommError.h"
#include "console/Colors.h"
#include "console/Lumetra.h"
#include "console/PortSettingsText.h"
#include "ui/Error.h"
#include "ui/Platform.h"
#include "ui/Skip.h"
#include "ui/Text.h"

namespace console {

using ui::Skip;

void PortSwitch::ComStartStop_Click() {
    if (f_.PortIsOpen) {
        closePort();
    } else {
        openPort();
    }
}

void PortSwitch::closePort() {
    Skip([this] { f_.TimerRead.setEnabled(false); });  // the tick stops before the port closes
    Skip([this] { f_.MSComm.setPortOpen(false); });
    f_.PortIsOpen = false;
    f_.ComStartStop.setCaption(u"打 开 端 口");
    f_.ComboPort.setEnabled(true);
    f_.ComboSpeed.setEnabled(true);
    f_.TextOut.setEnabled(false);
    f_.TextOut.setText(u"请先打开端口!");
    showClosedLabels();
    f_.setCaption(u"Orvane设备测试程序  版本 " + f_.VersionText());
}

void PortSwitch::showClosedLabels() {
    const std::pair<ui::Label*, const char16_t*> lines[] = {
        {&f_.LabelDTR, u"DTR"}, {&f_.LabelRTS, u"RTS"}, {&f_.LabelDSR, u"DSR"}, {&f_.LabelCTS, u"CTS"}, {&f_.LabelCD, u"CD"}};
    for (auto [label, caption] : lines) {
        label->setCaption(caption);
        label->setBackColor(colors::LightYellow);
    }
}

void PortSwitch::openPort() {
    const std::u16string settings = PortSettingsText(f_.ComboSpeed.text());
    // A settings text or port number the control refuses is dropped; the open goes ahead.
    Skip([&] { f_.MSComm.setSettings(settings); });
    Skip([this] { f_.MSComm.setCommPort(f_.ComboPort.listIndex() + 1); });
    int failure = 0;
    try {
        f_.MSComm.setPortOpen(true);
    } catch (const ui::Error& e) {
        failure = e.number();
    } catch (const std::exception&) {
        failure = -1;
    }
    if (failure != 0) {
        Skip([&] {
            f_.platform().messageBox(u"串口不能被打开:" + f_.ComboPort.text() + u" " + settings + u"\r\n" +
                                         comm::ErrorText(failure),
                                     ui::mb::OkOnly, f_.platform().app().title);
        });
        bool stillOpen = true;
        Skip([&] { stillOpen = f_.MSComm.portOpen(); });
        if (stillOpen) Skip([this] { f_.MSComm.setPortOpen(false); });
        return;
    }
    Skip([this] { f_.MSComm.setInputLen(0); });
    Skip([this] { f_.MSComm.setInputMode(1); });
    Skip([this] { f_.MSComm.setHandshaking(0); });
    Skip([this] { f_.MSComm.setRThreshold(0); });
    Skip([this] { f_.MSComm.setSThreshold(0); });
    Skip([this] { f_.MSComm.setRTSEnable(true); });
    f_.TimerRead.setInterval(5);
    f_.TimerRead.setEnabled(true);
    Skip([this] { RefreshLineSignals(); });
    f_.SendLen = 0;
    f_.SendPos = 0;
    f_.SendInProgress = false;
    f_.PortIsOpen = true;
    showOpenState();
}

void PortSwitch::showOpenState() {
    f_.ComStartStop.setCaption(u"关 闭 端 口");
    f_.ComboPort.setEnabled(false);
    f_.ComboSpeed.setEnabled(true);
    f_.TextOut.setEnabled(true);
    f_.TextOut.setText(u"");
    Skip([this] { f_.TextOut.setFocus(); });
    f_.setCaption(u"测试中连接 " + f_.ComboPort.text() + u" 状态" +
                  ui::Decimal(LeadingNumber(f_.ComboSpeed.text())) + u",N,8,1 ......");
}

void PortSwitch::ComboSpeed_Click() {
    const bool applied = Skip([this] { f_.MSComm.setSettings(PortSettingsText(f_.ComboSpeed.text())); });
    if (!applied || !f_.PortIsOpen) return;
    f_.setCaption(u"ORVANE测试中连接 " + f_.ComboPort.text() + u" 状态" +
                  ui::Decimal(LeadingNumber(f_.ComboSpeed.text())) + u",N,8,1 ......");
}

// Each label's caption, then its colour, in table order. A failing read ends
// the refresh there; the labels not reached keep what they showed.
void PortSwitch::RefreshLineSignals() {
    struct Row {
        ui::Label& label;
        bool on;
        const char16_t* onText;
        const char16_t* offText;
    };
    auto paint = [](const Row& r) {
        // Compared first: the poll repaints these every tick, nearly always unchanged.
        const std::u16string_view caption = r.on ? r.onText : r.offText;
        if (r.label.caption() != caption) r.label.setCaption(std::u16string(caption));
        r.label.setBackColor(r.on ? colors::Green : colors::LightRed);
    };
    paint({f_.LabelDTR, f_.MSComm.dtrEnable(), u"DTR=0 Enable", u"DTR=1 Disable"});
    paint({f_.LabelRTS, f_.MSComm.rtsEnable(), u"RTS=0 Enable", u"RTS=1 Disable"});
    if (!f_.MSComm.inputLinesReadable()) return;  // the reads below would fail: the refresh ends here
    paint({f_.LabelDSR, f_.MSComm.dsrHolding(), u"DSR=0 True", u"DSR=1 False"});
    paint({f_.LabelCTS, f_.MSComm.ctsHolding(), u"CTS=0 True", u"CTS=1 False"});
    paint({f_.LabelCD, f_.MSComm.cdHolding(), u"CD=0 ON", u"CD=1 OFF"});
}

// The new state follows what the label shows, not what the control says.
// A closed port cannot report its input lines: the refresh stops there and
// the click ends quietly instead of raising an error at the user.
void PortSwitch::LabelDTR_Click() {
    const bool on = f_.LabelDTR.caption() != u"DTR=0 Enable";
    Skip([&] { f_.MSComm.setDTREnable(on); });
    Skip([this] { RefreshLineSignals(); });
}

void PortSwitch::LabelRTS_Click() {
    const bool on = f_.LabelRTS.caption() != u"RTS=0 Enable";
    Skip([&] { f_.MSComm.setRTSEnable(on); });
    Skip([this] { RefreshLineSignals(); });
}

}  // namespace console
