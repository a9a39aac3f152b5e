#include <gtest/gtest.h>

#include <QApplication>

// The front-end tests need a QApplication, and no display: listing the tests
// at build time runs this too, so the offscreen platform is the default.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
