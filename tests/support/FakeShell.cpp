#include "tests/support/FakeShell.h"

#include "ui/Error.h"

namespace testsupport {

void FakeShell::startProgram(const std::string& path, int windowStyle) {
    if (!startable.count(path)) throw ui::Error(53, "File not found");
    started.emplace_back(path, windowStyle);
}

}  // namespace testsupport
