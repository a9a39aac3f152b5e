#include "console/SendEngine.h"

#include "comm/CommControl.h"
#include "console/Colors.h"
#include "console/Lumetra.h"
#include "ui/Platform.h"
#include "ui/Skip.h"

namespace console {

using ui::Skip;

// Every step goes on past a failing port: a device that went away must not
// leave the window disabled.
void SendEngine::SendCommand(const std::u16string& Cmd) {
    if (!f_.PortIsOpen) return;
    Skip([&] { f_.TextOut.setText(Cmd + u"\r\n"); });
    begin();
    f_.SendLen = static_cast<std::int32_t>(f_.TextOut.text().size());
    Skip([this] { f_.RTextBuf.setText(u""); });  // the reply buffer holds only what follows
    const std::u16string chunk = firstChunk();
    Skip([&] { f_.MSComm.output(chunk); });  // a whole command carries its own CR LF
    waitOnePeriod();
}

// The send state of a new transmission; the chunk size is never below one.
void SendEngine::begin() {
    Skip([this] { f_.TextOut.setEnabled(false); });
    f_.SendInProgress = true;
    Skip([this] { f_.SendChunk = f_.MSComm.outBufferSize(); });
    if (f_.SendChunk < 1) f_.SendChunk = 1;
    f_.SendPos = 0;
    Skip([this] { f_.TextSend.setBackColor(colors::Green); });
}

std::u16string SendEngine::firstChunk() {
    f_.ApplyChunkRule();
    std::u16string chunk;
    Skip([&] { chunk = f_.TextOut.selText(); });
    return chunk;
}

void SendEngine::waitOnePeriod() {
    Skip([this] { f_.TimerDelay.setInterval(kWaitMs); });
    f_.InSendDelay = true;
    Skip([this] { f_.TimerDelay.setEnabled(true); });
    f_.setEnabled(false);
    // An unloaded window has no timers left to end the wait.
    while (f_.InSendDelay && f_.loaded()) {
        f_.platform().doEvents();
        if (!f_.TimerDelay.enabled()) f_.InSendDelay = false;
    }
    f_.InSendDelay = false;
    f_.setEnabled(true);
}

void SendEngine::TextOut_KeyPress(std::int16_t& KeyAscii) {
    if (KeyAscii != 13) return;
    KeyAscii = 0;  // Enter never inserts a line break
    f_.SendLen = static_cast<std::int32_t>(f_.TextOut.text().size());
    if (f_.SendLen == 0) {
        f_.SendPos = 0;  // keeps SendPos <= SendLen after an Enter in an empty pane
        return;
    }
    begin();
    std::u16string chunk = firstChunk();
    if (!chunk.empty() && (chunk[0] == u'a' || chunk[0] == u'A')) chunk += u'\r';
    Skip([&] { f_.MSComm.output(chunk); });
}

void SendEngine::TimerDelay_Timer() {
    f_.TimerDelay.setEnabled(false);
    f_.InSendDelay = false;
}

}  // namespace console
