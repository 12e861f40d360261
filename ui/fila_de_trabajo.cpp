// SPDX-License-Identifier: MIT
#include "ui/fila_de_trabajo.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>

namespace zek {

FilaDeTrabajo::FilaDeTrabajo(QObject* ventana, QPushButton* lanza, QPushButton* cancela,
                             QProgressBar* progreso)
    : ventana_(ventana), lanza_(lanza), cancela_(cancela), progreso_(progreso) {
    cancela_->setEnabled(false);
}

void FilaDeTrabajo::lanza(std::function<Final(std::stop_token, const Progreso&)> trabajo) {
    const unsigned generacion = ++generacion_;
    en_marcha_ = true;
    lanza_->setEnabled(false);
    cancela_->setEnabled(true);
    progreso_->setValue(0);
    trabajo_.lanza([this, generacion, trabajo = std::move(trabajo)](std::stop_token parar) {
        const Progreso progreso = [this, generacion, &parar](int64_t hechos, int64_t total) {
            const int valor = total > 0 ? static_cast<int>(100 * hechos / total) : 0;
            QMetaObject::invokeMethod(
                progreso_,
                [this, generacion, valor] {
                    if (generacion == generacion_) progreso_->setValue(valor);
                },
                Qt::QueuedConnection);
            return !parar.stop_requested();
        };
        Final final = trabajo(parar, progreso);
        const bool completo = !parar.stop_requested();
        QMetaObject::invokeMethod(
            ventana_,
            [this, generacion, final = std::move(final), completo] {
                termina(generacion, final, completo);
            },
            Qt::QueuedConnection);
    });
}

// Stale first: a job that a later start or a reset left behind touches
// neither the buttons nor the window.
void FilaDeTrabajo::termina(unsigned generacion, const Final& final, bool completo) {
    if (generacion != generacion_) return;
    en_marcha_ = false;
    cancela_->setEnabled(false);
    lanza_->setEnabled(true);
    if (final) final(completo);
}

void FilaDeTrabajo::pide_parar() {
    trabajo_.pide_parar();
    cancela_->setEnabled(false);
}

void FilaDeTrabajo::olvida() {
    if (!en_marcha_) return;
    trabajo_.pide_parar();
    ++generacion_;
    en_marcha_ = false;
    cancela_->setEnabled(false);
    lanza_->setEnabled(true);
}

void FilaDeTrabajo::espera() {
    trabajo_.espera();
    QCoreApplication::sendPostedEvents(progreso_);
    QCoreApplication::sendPostedEvents(ventana_);
}

}  // namespace zek
