// Test main for everything that needs Qt: fonts and canvas text (a QGuiApplication), and
// widgets where DORVALEN_TEST_WIDGETS is set. Runs on the offscreen platform unless the
// caller chose another (the Xvfb checks choose xcb).
#ifdef DORVALEN_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
