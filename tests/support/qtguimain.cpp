// Test main for the widget suites: the program's application object, offscreen by default.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application application(argc, argv);
    Application::SetName(QStringLiteral("Quenby Ardentis"));
    return RUN_ALL_TESTS();
}
