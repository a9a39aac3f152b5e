#include "console/PollTick.h"

#include <algorithm>

#include "comm/CommControl.h"
#include "console/Colors.h"
#include "console/Lumetra.h"
#include "console/ReceivedBytes.h"
#include "ui/Skip.h"

namespace console {

using ui::Skip;

void PollTick::TimerRead_Timer() {
    receive();
    send();
    Skip([this] { f_.RefreshLineSignals(); });
    Skip([this] { f_.TimerRead.setEnabled(true); });
}

// A count that cannot be read counts as nothing received.
void PollTick::receive() {
    int count = 0;
    Skip([&] { count = f_.MSComm.inBufferCount(); });
    if (count == 0) {
        Skip([this] { f_.TextReceive.setBackColor(colors::Yellow); });
        return;
    }
    Skip([this] { f_.TextReceive.setBackColor(colors::Green); });
    std::vector<std::uint8_t> bytes;
    Skip([&] { bytes = f_.MSComm.input(); });
    if (!bytes.empty()) append(bytes);
}

// One insertion and one repaint a tick, whatever the burst.
void PollTick::append(const std::vector<std::uint8_t>& bytes) {
    std::u16string rendered;
    rendered.reserve(bytes.size() * 4);
    const bool hex = f_.CheckDisplay.value() == 1;
    for (std::uint8_t b : bytes) AppendRendered(rendered, b, hex);
    ui::RichTextBox& pane = f_.RTextBuf;
    Skip([&] {
        if (pane.text().size() > kCutAbove) pane.setText(pane.text().substr(pane.text().size() - kKeep));
    });
    Skip([&] { pane.setSelStart(static_cast<int>(pane.text().size())); });
    Skip([&] { pane.setSelLength(0); });
    Skip([&] { pane.setSelText(rendered); });
    Skip([&] { pane.setSelStart(static_cast<int>(pane.text().size())); });
    Skip([&] { pane.refresh(); });
}

// A transmit count that cannot be read counts as not empty: nothing goes out blind.
void PollTick::send() {
    int pending = -1;
    Skip([&] { pending = f_.MSComm.outBufferCount(); });
    if (pending != 0) return;
    if (f_.SendPos < f_.SendLen) {
        continueSending();
    } else if (f_.SendInProgress) {
        completeSending();
    }
}

void PollTick::continueSending() {
    Skip([this] { ApplyChunkRule(); });
    std::u16string chunk;
    Skip([&] { chunk = f_.TextOut.selText(); });
    Skip([&] { f_.MSComm.output(chunk + u"\r"); });
}

void PollTick::completeSending() {
    f_.SendInProgress = false;
    Skip([this] { f_.TextOut.setText(u""); });
    Skip([this] { f_.TextOut.setEnabled(true); });
    Skip([this] { f_.TextOut.setSelStart(0); });
    Skip([this] { f_.TextOut.setFocus(); });
    Skip([this] { f_.TextSend.setBackColor(colors::Yellow); });
}

// A chunk size below 1 would never make progress; one character is the least.
void PollTick::ApplyChunkRule() {
    const std::int32_t chunk = std::max<std::int32_t>(f_.SendChunk, 1);
    Skip([this] { f_.TextOut.setSelStart(f_.SendPos); });
    if (f_.SendLen - f_.SendPos > chunk) {
        Skip([&] { f_.TextOut.setSelLength(chunk); });
        f_.SendPos += chunk;
    } else {
        Skip([this] { f_.TextOut.setSelLength(f_.SendLen - f_.SendPos); });
        f_.SendPos = f_.SendLen;
    }
}

// The hex box is read for every byte the tick renders; a click changes nothing at once.
void PollTick::CheckDisplay_Click() { (void)f_.CheckDisplay.value(); }

// Both thresholds are 0, so no receive or send events come; the rest are ignored.
void PollTick::MSComm_OnComm() {
    Skip([this] { (void)f_.MSComm.commEvent(); });
}

}  // namespace console
