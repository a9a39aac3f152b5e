#pragma once

#include <string>

#include "ui/Platform.h"

namespace console {

// The console's title and version, with where its executable lies.
ui::AppInfo AppIdentity(std::string path, std::string exeName);

}  // namespace console
