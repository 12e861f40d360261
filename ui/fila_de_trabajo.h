// SPDX-License-Identifier: MIT
// The row every long job of a window has: a button that starts it, one that
// cancels it, and its progress. The job runs on a worker; what it found is
// shown on the window's thread when it ends, unless a later start or a
// reset has made it stale, in which case it changes nothing at all.
#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>

#include "workflow/trabajo.h"

class QObject;
class QProgressBar;
class QPushButton;

namespace zek {

class FilaDeTrabajo {
  public:
    // done of total; false asks the job to stop (it was cancelled).
    using Progreso = std::function<bool(int64_t hechos, int64_t total)>;
    // Runs on the window's thread with whether the job ran to its end.
    using Final = std::function<void(bool completo)>;

    FilaDeTrabajo(QObject* ventana, QPushButton* lanza, QPushButton* cancela,
                  QProgressBar* progreso);
    FilaDeTrabajo(const FilaDeTrabajo&) = delete;
    FilaDeTrabajo& operator=(const FilaDeTrabajo&) = delete;
    ~FilaDeTrabajo() { trabajo_.cancela(); }  // the job posts to the window

    // Starts `trabajo` on the worker with the progress to report; what it
    // returns runs when it ends. Starting again leaves the one under way
    // stale.
    void lanza(std::function<Final(std::stop_token, const Progreso&)> trabajo);
    // The cancel button: asks the job to stop, without waiting for it.
    void pide_parar();
    // What the job under way reports changes nothing (its pictures are gone).
    void olvida();
    bool en_marcha() const { return en_marcha_; }
    // Waits for the job and shows what it found (tests, tools).
    void espera();

  private:
    void termina(unsigned generacion, const Final& final, bool completo);

    QObject* ventana_;
    QPushButton *lanza_, *cancela_;
    QProgressBar* progreso_;
    TrabajoEnSegundoPlano trabajo_;
    unsigned generacion_ = 0;
    bool en_marcha_ = false;
};

}  // namespace zek
