#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "about/SystemShell.h"

namespace testsupport {

class FakeShell : public about::SystemShell {
public:
    bool plainFileExists(const std::string& path) override { return files.count(path) != 0; }
    void startProgram(const std::string& path, int windowStyle) override;

    std::set<std::string> files;        // plain files that exist
    std::set<std::string> startable;    // programs that start
    std::vector<std::pair<std::string, int>> started;
};

}  // namespace testsupport
