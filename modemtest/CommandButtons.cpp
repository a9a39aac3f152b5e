#include "modemtest/CommandButtons.h"

#include "console/Lumetra.h"
#include "modemtest/ReplyChecks.h"
#include "ui/Platform.h"

namespace modemtest {

// These four leave a closed port to SendCommand's own guard.
void CommandButtons::ComCallID_Click() { f_.SendCommand(u"AT+CLCC"); }

void CommandButtons::ComDial_Click(std::int16_t Index) {
    if (Index < 0 || Index >= static_cast<std::int16_t>(f_.ComDial.size())) return;
    f_.SendCommand(u"AT+VTS=" + f_.ComDial[static_cast<std::size_t>(Index)]->caption());
}

void CommandButtons::ComHandOff_Click() { f_.SendCommand(u"AT+CHUP"); }

// The default number goes into the box even while the port is closed.
void CommandButtons::Command3_Click() {
    if (f_.TextNumber.text().size() < 2) f_.TextNumber.setText(u"10086");
    f_.SendCommand(u"ATD" + f_.TextNumber.text() + u";");
}

void CommandButtons::Comcops_Click() {
    if (!f_.PortIsOpen) return;
    f_.SendCommand(u"AT+COPS?");
}

// A PIN goes out only when the SIM asks for it and the box holds exactly four characters.
void CommandButtons::ComPIN_Click() {
    if (!f_.PortIsOpen) return;
    f_.SendCommand(u"AT+CPIN?");
    if (!AsksForSimPin(f_.RTextBuf.text())) return;
    if (f_.TextPIN.text().size() != 4) return;
    f_.SendCommand(u"AT+CPIN=" + f_.TextPIN.text());
}

void CommandButtons::ComSignal_Click() {
    if (!f_.PortIsOpen) return;
    f_.SendCommand(u"AT+CSQ");
    switch (JudgeSignal(f_.RTextBuf.text())) {
    case SignalVerdict::TooLow:
        report(u"信号太低,至少应在14以上");
        break;
    case SignalVerdict::NoAntenna:
        report(u"天线没有接好");
        break;
    case SignalVerdict::Fine:
        break;
    }
}

void CommandButtons::TextNumber_KeyPress(std::int16_t& KeyAscii) { KeyAscii = FilterDigitKey(KeyAscii); }

void CommandButtons::TextPIN_KeyPress(std::int16_t& KeyAscii) { KeyAscii = FilterDigitKey(KeyAscii); }

void CommandButtons::report(const std::u16string& message) {
    f_.platform().messageBox(message, ui::mb::Information, f_.platform().app().title);
}

}  // namespace modemtest
