// SPDX-License-Identifier: MIT
// Runs the tests of the Qt adapters (the reader over the bad-input corpus)
// with Qt's image plugins and no window.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
