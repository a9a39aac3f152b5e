#include "tests/qt/QtConsole.h"

#include <chrono>

#include "tests/qt/QtHelpers.h"

namespace qttest {

namespace {

std::int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

QtConsole::QtConsole() : platform_(TestApp()), port_(&NowUs) {
    form_ = std::make_unique<console::Lumetra>(console::Services{platform_, port_, profile_, registry_, shell_});
}

QtConsole::~QtConsole() {
    if (form_->loaded()) platform_.unload(*form_);
}

void QtConsole::load() {
    platform_.show(*form_);
    Pump();
}

}  // namespace qttest
