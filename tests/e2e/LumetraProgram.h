#pragma once

#include <QWidget>
#include <string>

#include "console/Lumetra.h"
#include "platform/posix/EmptyRegistry.h"
#include "platform/posix/IniProfile.h"
#include "platform/posix/PosixCommControl.h"
#include "platform/posix/PosixShell.h"
#include "platform/qt/QtPlatform.h"

namespace e2e {

// The program as main() assembles it, living in `dir` as if the executable
// "lumetra" lay there, so its settings file is dir/lumetra.ini. Shown at
// construction; unloaded (port closed, settings saved) at destruction.
class LumetraProgram {
public:
    explicit LumetraProgram(const std::string& dir);
    ~LumetraProgram();
    LumetraProgram(const LumetraProgram&) = delete;
    LumetraProgram& operator=(const LumetraProgram&) = delete;

    // The main window; null once it is gone.
    QWidget* window() const;
    // A control's widget by the control's name; null when there is none.
    template <class W>
    W* find(const char* objectName) const {
        QWidget* w = window();
        return w ? w->findChild<W*>(QString::fromUtf8(objectName)) : nullptr;
    }

private:
    platform::qt::QtPlatform platform_;
    platform::posix::IniProfile profile_;
    platform::posix::PosixCommControl comm_;
    platform::posix::EmptyRegistry registry_;
    platform::posix::PosixShell shell_;
    console::Lumetra lumetra_;
};

}  // namespace e2e
