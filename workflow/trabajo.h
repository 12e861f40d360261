// SPDX-License-Identifier: MIT
// Work that runs off the window's thread: one current job on a thread of
// its own. Starting another job asks the current one to stop (through its
// stop token) without waiting for it: the window's thread never waits on a
// worker while the user works. A job asked to stop is joined once it has
// ended, or when the object goes, so no job outlives what it was started
// from.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

namespace zek {

class TrabajoEnSegundoPlano {
  public:
    TrabajoEnSegundoPlano() = default;
    TrabajoEnSegundoPlano(const TrabajoEnSegundoPlano&) = delete;
    TrabajoEnSegundoPlano& operator=(const TrabajoEnSegundoPlano&) = delete;
    ~TrabajoEnSegundoPlano() { cancela(); }

    void lanza(std::function<void(std::stop_token)> trabajo) {
        pide_parar();
        if (actual_.hilo.joinable()) retirados_.push_back(std::move(actual_));
        recoge();
        actual_.terminado = std::make_shared<std::atomic<bool>>(false);
        actual_.hilo =
            std::jthread([t = std::move(trabajo), fin = actual_.terminado](std::stop_token parar) {
                t(parar);
                *fin = true;
            });
    }
    // Asks every job to stop and waits until they have.
    void cancela() {
        pide_parar();
        espera();
    }
    // Asks the current job to stop without waiting: it still ends on its own.
    void pide_parar() {
        if (actual_.hilo.joinable()) actual_.hilo.request_stop();
    }
    // Waits for every job to end by itself.
    void espera() {
        if (actual_.hilo.joinable()) actual_.hilo.join();
        for (Hilo& h : retirados_) h.hilo.join();
        retirados_.clear();
    }

  private:
    struct Hilo {
        std::jthread hilo;
        std::shared_ptr<std::atomic<bool>> terminado;
    };
    // Joins the jobs asked to stop that have ended: at once, nothing to wait.
    void recoge() {
        std::erase_if(retirados_, [](Hilo& h) {
            if (!*h.terminado) return false;
            h.hilo.join();
            return true;
        });
    }

    Hilo actual_;
    std::vector<Hilo> retirados_;
};

}  // namespace zek
