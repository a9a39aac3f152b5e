#pragma once

#include <string>

namespace about {

// File tests and program starts, as the launcher needs them.
class SystemShell {
public:
    static constexpr int NormalFocus = 1;  // a normal window that gets the focus

    virtual ~SystemShell() = default;
    // A plain file: not hidden, not a system file, not a folder.
    virtual bool plainFileExists(const std::string& path) = 0;
    // Starts the program without waiting; throws ui::Error when nothing can be started.
    virtual void startProgram(const std::string& path, int windowStyle) = 0;
};

}  // namespace about
