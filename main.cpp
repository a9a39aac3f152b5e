#include <QApplication>
#include <QFileInfo>
#include <string>

#include "console/AppIdentity.h"
#include "console/Lumetra.h"
#include "platform/posix/EmptyRegistry.h"
#include "platform/posix/IniProfile.h"
#include "platform/posix/PosixCommControl.h"
#include "platform/posix/PosixShell.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/SessionEnd.h"

namespace {

// The title and version the About window and the main caption show; the
// settings file is named after the executable and lies beside it.
ui::AppInfo ThisApplication() {
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return console::AppIdentity(QCoreApplication::applicationDirPath().toStdString(),
                                exe.completeBaseName().toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumetra"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1.2"));

    platform::qt::QtPlatform platform(ThisApplication());
    const ui::AppInfo& app = platform.app();
    platform::posix::IniProfile profile;
    platform::posix::PosixCommControl comm(profile, app.path + "/" + app.exeName + ".ini");
    platform::posix::EmptyRegistry registry;
    platform::posix::PosixShell shell;

    console::Lumetra lumetra(console::Services{platform, comm, profile, registry, shell});
    platform::qt::SessionEnd sessionEnd(platform, lumetra);
    platform.show(lumetra);
    return qapp.exec();
}
