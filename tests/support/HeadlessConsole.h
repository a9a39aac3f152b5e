#pragma once

#include "console/Lumetra.h"
#include "tests/support/FakeRegistry.h"
#include "tests/support/FakeShell.h"
#include "tests/support/MemoryProfile.h"
#include "tests/support/SimCommControl.h"
#include "tests/support/VirtualPlatform.h"

namespace testsupport {

// The main window on the virtual platform with its port open at 9600, for
// benchmarks and fuzz targets that drive the tick directly.
struct HeadlessConsole {
    VirtualPlatform platform;
    SimCommControl port{[this] { return platform.nowUs(); }};
    MemoryProfile profile;
    FakeRegistry registry;
    FakeShell shell;
    console::Lumetra form{console::Services{platform, port, profile, registry, shell}};

    HeadlessConsole() {
        platform.show(form);
        form.ComboPort.setListIndex(0);
        form.ComboSpeed.setListIndex(9);
        port.setLines(true, true, true);
        form.ComStartStop.userClick();
    }
};

}  // namespace testsupport
