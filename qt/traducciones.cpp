// SPDX-License-Identifier: MIT
#include "qt/traducciones.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace zek {

bool carga_traducciones_de_qt(QCoreApplication& aplicacion, const QLocale& local) {
    auto* traductor = new QTranslator(&aplicacion);  // lives as long as the application
    if (!traductor->load(local, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traductor;
        return false;
    }
    return QCoreApplication::installTranslator(traductor);
}

}  // namespace zek
