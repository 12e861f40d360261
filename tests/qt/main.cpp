// SPDX-License-Identifier: MIT
// Runs the tests of the Qt adapters (the reader over the bad-input corpus)
// with Qt's image plugins and no window. The application object is a
// QApplication, as the program's: under LeakSanitizer a QGuiApplication
// alone leaves a thread behind that the leak checker cannot stop after the
// JPEG cases.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
