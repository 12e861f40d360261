// SPDX-License-Identifier: MIT
// Qt for the fuzz targets that read images: an application object on the
// offscreen platform, made once before the first input.
#pragma once

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace zek::fuzz {

inline void arranca_qt() {
    static int argc = 1;
    static char nombre[] = "zek-fuzz";
    static char* argv[] = {nombre, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static const auto aplicacion = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

}  // namespace zek::fuzz
