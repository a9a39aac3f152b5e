#include "tests/support/ConsoleFixture.h"

#include "ui/Text.h"

namespace testsupport {

ConsoleFixture::ConsoleFixture() : port_([this] { return platform_.nowUs(); }) {
    form_ = std::make_unique<console::Lumetra>(console::Services{platform_, port_, profile_, registry_, shell_});
}

ConsoleFixture::~ConsoleFixture() = default;

void ConsoleFixture::load() { platform_.show(*form_); }

void ConsoleFixture::clickOpen() {
    selectPort(0);
    selectSpeed(9);
    form().ComStartStop.userClick();
}

std::string ConsoleFixture::messageTexts() const {
    std::string all;
    for (const auto& m : platform_.messages) all += ui::ToUtf8(m.text) + "\n";
    return all;
}

}  // namespace testsupport
