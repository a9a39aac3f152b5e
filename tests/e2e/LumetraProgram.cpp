#include "console/AppIdentity.h"
#include "tests/e2e/LumetraProgram.h"

#include "platform/qt/FormView.h"

namespace e2e {

namespace {

// What main() gives the platform, but with the directory under test.
ui::AppInfo ProgramIn(const std::string& dir) { return console::AppIdentity(dir, "lumetra"); }

}  // namespace

LumetraProgram::LumetraProgram(const std::string& dir)
    : platform_(ProgramIn(dir)),
      comm_(profile_, platform_.app().path + "/" + platform_.app().exeName + ".ini"),
      lumetra_(console::Services{platform_, comm_, profile_, registry_, shell_}) {
    platform_.show(lumetra_);
}

LumetraProgram::~LumetraProgram() {
    if (lumetra_.loaded()) platform_.unload(lumetra_);
}

QWidget* LumetraProgram::window() const {
    return platform_.viewOf(lumetra_);
}

}  // namespace e2e
