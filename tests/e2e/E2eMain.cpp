#include <gtest/gtest.h>

#include <QApplication>

// The program needs a QApplication and no display: listing the tests at
// build time runs this too, so the offscreen platform is the default.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
