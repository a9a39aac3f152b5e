#include "console/AppIdentity.h"

namespace console {

ui::AppInfo AppIdentity(std::string path, std::string exeName) {
    ui::AppInfo app;
    app.title = u"Orvane测试工具";
    app.major = 1;
    app.minor = 1;
    app.revision = 2;
    app.path = std::move(path);
    app.exeName = std::move(exeName);
    return app;
}

}  // namespace console
