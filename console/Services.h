#pragma once

namespace ui {
class Platform;
}
namespace comm {
class CommControl;
}
namespace about {
class Registry;
class SystemShell;
}  // namespace about

namespace console {

class PrivateProfile;

// What the main window is given from outside: the platform and the devices.
struct Services {
    ui::Platform& platform;
    comm::CommControl& comm;
    PrivateProfile& profile;
    about::Registry& registry;
    about::SystemShell& shell;
};

}  // namespace console
