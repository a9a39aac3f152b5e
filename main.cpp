#include <QApplication>
#include <QFileInfo>
#include <string>

#include "console/Lumetra.h"
#include "platform/posix/EmptyRegistry.h"
#include "platform/posix/IniProfile.h"
#include "platform/posix/PosixCommControl.h"
#include "platform/posix/PosixShell.h"
#include "platform/qt/QtPlatform.h"

namespace {

// The title and version the About window and the main caption show; the
// settings file is named after the executable and lies beside it.
ui::AppInfo ThisApplication() {
    ui::AppInfo app;
    app.title = u"Orvane测试工具";
    app.major = 1;
    app.minor = 1;
    app.revision = 2;
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    app.path = QCoreApplication::applicationDirPath().toStdString();
    app.exeName = exe.completeBaseName().toStdString();
    return app;
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
    platform.show(lumetra);
    return qapp.exec();
}
