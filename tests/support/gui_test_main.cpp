// Test main for everything that needs Qt: fonts, canvas text and widgets. Runs on the
// offscreen platform unless the caller chose another (the Xvfb checks choose xcb).
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
