#pragma once

#include "about/SystemShell.h"

namespace platform::posix {

// File tests and program starts on a POSIX system. A started program runs on
// by itself; it is reaped when it ends so it never lingers as a zombie.
class PosixShell : public about::SystemShell {
public:
    // A regular file (links followed) whose name does not start with a dot,
    // the Unix way of hiding a file.
    bool plainFileExists(const std::string& path) override;
    // The window style has no meaning here: the program opens its own windows.
    void startProgram(const std::string& path, int windowStyle) override;
};

}  // namespace platform::posix
