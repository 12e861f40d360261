// SPDX-License-Identifier: MIT
// Qt's own texts (the file dialog's "Ver en:", "Cancelar", the question
// before a file is replaced) in the user's language, from the translations
// Debian ships with Qt.
#pragma once

#include <QCoreApplication>
#include <QLocale>

namespace zek {

// Installs Qt's translations for that locale into the application; false
// when there are none for it (the texts stay in English).
bool carga_traducciones_de_qt(QCoreApplication& aplicacion, const QLocale& local = QLocale());

}  // namespace zek
