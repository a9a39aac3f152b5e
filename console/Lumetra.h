#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "console/PaneLayout.h"
#include "console/PollTick.h"
#include "console/PortSwitch.h"
#include "console/SendEngine.h"
#include "console/Services.h"
#include "console/settings/PublicMod.h"
#include "console/settings/WindowPlacement.h"
#include "modemtest/CommandButtons.h"
#include "modemtest/SelfTest.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace comm {
class CommControl;
}
namespace about {
class frmAbout;
}

namespace console {

// The main window: its controls with their design values, the form-level
// state the handlers share, and the wiring of every event. The handlers
// themselves live in one class per concern.
class Lumetra : public ui::Form {
public:
    explicit Lumetra(Services services);
    ~Lumetra() override;

    Services& services() { return services_; }

    // --- controls, top to bottom
    ui::ComboBox ComboPort;
    ui::ComboBox ComboSpeed;
    ui::CommandButton ComStartStop;
    ui::CommandButton ComVersion;
    ui::TextBox TextPIN;
    ui::CommandButton ComPIN;
    ui::CommandButton ComSignal;
    ui::CommandButton Comcops;
    ui::CommandButton Command3;
    ui::TextBox TextNumber;
    ui::CommandButton ComCallID;
    ui::CommandButton ComHandOff;
    std::array<std::unique_ptr<ui::CommandButton>, 12> ComDial;
    ui::Label LabelDTR;
    ui::Label LabelRTS;
    ui::Label Label3;
    ui::TextBox TextSend;
    ui::Label Label4;
    ui::TextBox TextReceive;
    ui::Label LabelDSR;
    ui::Label LabelCTS;
    ui::Label LabelCD;
    ui::CheckBox CheckDisplay;
    ui::RichTextBox TextOut;
    ui::Label LabelMove;
    ui::RichTextBox RTextBuf;
    ui::Timer TimerRead;
    ui::Timer TimerDelay;
    comm::CommControl& MSComm;

    // --- form-level state
    bool PortIsOpen = false;
    bool SendInProgress = false;
    std::int32_t SendPos = 0;
    std::int32_t SendLen = 0;
    std::int16_t SendChunk = 0;
    bool InSendDelay = false;

    // --- procedures other Parts call
    void SendCommand(const std::u16string& Cmd) { send_.SendCommand(Cmd); }
    void RefreshLineSignals() { port_.RefreshLineSignals(); }
    void ApplyChunkRule() { tick_.ApplyChunkRule(); }

    // --- window events
    void Form_Load();
    void Form_Unload(std::int16_t& cancel);
    void Form_DblClick();

    // "V" + major "." minor revision: 1.1.2 gives V1.12.
    std::u16string VersionText();

private:
    void design();
    void designColumn();
    void designKeypad();
    void designSignals();
    void designPanes();
    void wire();
    void wireModuleTests();
    void closedState();

    Services services_;
    PortSwitch port_;
    PollTick tick_;
    SendEngine send_;
    modemtest::CommandButtons buttons_{*this};
    modemtest::SelfTest selfTest_{*this};
    PublicMod publicMod_{services_.profile, services_.platform};
    WindowPlacement placement_{*this, publicMod_};
    PaneLayout layout_{*this};
    std::unique_ptr<about::frmAbout> about_;
};

}  // namespace console
