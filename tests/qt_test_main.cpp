// Widget tests share one application object, the program's own.
#include "qt/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Headless unless a caller asks for a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const qt::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
