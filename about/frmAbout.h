#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "about/SysInfoLauncher.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace ui {
class Platform;
}

namespace about {

class Registry;
class SystemShell;

// The About window: the application's title and version, and the launcher
// for the system information program.
class frmAbout : public ui::Form {
public:
    frmAbout(ui::Platform& platform, Registry& registry, SystemShell& shell);

    ui::Label lblTitle;
    ui::Label lblVersion;
    ui::Label lblDescription;
    ui::Label Label1;
    ui::CommandButton cmdOK;
    std::array<std::unique_ptr<ui::Line>, 2> Line1;

    void Form_Load();
    void cmdOK_Click();

    void StartSysInfo() { launcher_.StartSysInfo(); }
    bool GetKeyValue(std::uint32_t& KeyRoot, std::string& KeyName, std::string& SubKeyRef, std::string& KeyVal) {
        return launcher_.GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
    }

private:
    void design();
    void designLabels();
    void designSeparator();
    void wire();
    // Kept for the window's own use; nothing on the window reaches it.
    void RunSysInfo() { StartSysInfo(); }

    SysInfoLauncher launcher_;
};

}  // namespace about
