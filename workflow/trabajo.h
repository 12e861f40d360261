// SPDX-License-Identifier: MIT
// Work that runs off the window's thread: one job at a time on a thread of
// its own. Starting another job, cancelling, or destroying the object asks
// the running job to stop (through its stop token) and waits for it, so a
// job never outlives what it was started from.
#pragma once

#include <functional>
#include <stop_token>
#include <thread>

namespace zek {

class TrabajoEnSegundoPlano {
  public:
    TrabajoEnSegundoPlano() = default;
    TrabajoEnSegundoPlano(const TrabajoEnSegundoPlano&) = delete;
    TrabajoEnSegundoPlano& operator=(const TrabajoEnSegundoPlano&) = delete;
    ~TrabajoEnSegundoPlano() { cancela(); }

    void lanza(std::function<void(std::stop_token)> trabajo) {
        cancela();
        hilo_ = std::jthread(std::move(trabajo));
    }
    // Asks the job to stop and waits until it has.
    void cancela() {
        if (!hilo_.joinable()) return;
        hilo_.request_stop();
        hilo_.join();
    }
    // Asks the job to stop without waiting: for the window's thread, which
    // must never wait on a worker. The job still ends on its own.
    void pide_parar() {
        if (hilo_.joinable()) hilo_.request_stop();
    }
    // Waits for the job to end by itself.
    void espera() {
        if (hilo_.joinable()) hilo_.join();
    }

  private:
    std::jthread hilo_;
};

}  // namespace zek
