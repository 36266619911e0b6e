// SPDX-License-Identifier: GPL-3.0-or-later
// Runs widget tests inside the program's own application object, on Qt's offscreen
// platform unless another one is named.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    velto::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
