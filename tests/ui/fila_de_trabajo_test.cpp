// SPDX-License-Identifier: MIT
// The worker row the windows share: its buttons follow the job, a late
// result of a job started over or forgotten changes nothing, and a cancel
// is reported as such.
#include "ui/fila_de_trabajo.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <thread>

namespace zek {
namespace {

struct Fila {
    QWidget ventana;
    QPushButton* lanza = new QPushButton(&ventana);
    QPushButton* cancela = new QPushButton(&ventana);
    QProgressBar* progreso = new QProgressBar(&ventana);
    FilaDeTrabajo fila{&ventana, lanza, cancela, progreso};
};

// A job that reports half its work, then waits for `suelta` (or a stop).
FilaDeTrabajo::Final espera_a(std::atomic<bool>& suelta, std::stop_token parar,
                              const FilaDeTrabajo::Progreso& progreso, std::vector<int>& finales,
                              int cual) {
    progreso(1, 2);
    while (!suelta && !parar.stop_requested())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return [&finales, cual](bool completo) { finales.push_back(completo ? cual : -cual); };
}

TEST(FilaDeTrabajo, ALateResultOfAJobStartedOverChangesNothing) {
    Fila f;
    std::vector<int> finales;
    std::atomic<bool> primera{false}, segunda{false};
    f.fila.lanza([&](std::stop_token parar, const FilaDeTrabajo::Progreso& p) {
        return espera_a(primera, parar, p, finales, 1);
    });
    EXPECT_FALSE(f.lanza->isEnabled());
    EXPECT_TRUE(f.cancela->isEnabled());
    EXPECT_TRUE(f.fila.en_marcha());
    // Started over: the first is asked to stop and reports late.
    f.fila.lanza([&](std::stop_token parar, const FilaDeTrabajo::Progreso& p) {
        return espera_a(segunda, parar, p, finales, 2);
    });
    primera = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(finales.empty());
    EXPECT_TRUE(f.fila.en_marcha());
    EXPECT_FALSE(f.lanza->isEnabled());  // the second still runs
    segunda = true;
    f.fila.espera();
    EXPECT_EQ(finales, std::vector<int>{2});
    EXPECT_EQ(f.progreso->value(), 50);
    EXPECT_TRUE(f.lanza->isEnabled());
    EXPECT_FALSE(f.cancela->isEnabled());
    EXPECT_FALSE(f.fila.en_marcha());
}

TEST(FilaDeTrabajo, ACancelIsReportedAndAForgottenJobChangesNothing) {
    Fila f;
    std::vector<int> finales;
    std::atomic<bool> nunca{false};
    f.fila.lanza([&](std::stop_token parar, const FilaDeTrabajo::Progreso& p) {
        return espera_a(nunca, parar, p, finales, 1);
    });
    f.fila.pide_parar();
    EXPECT_FALSE(f.cancela->isEnabled());
    f.fila.espera();
    EXPECT_EQ(finales, std::vector<int>{-1});  // it ended, cancelled
    EXPECT_TRUE(f.lanza->isEnabled());

    f.fila.lanza([&](std::stop_token parar, const FilaDeTrabajo::Progreso& p) {
        return espera_a(nunca, parar, p, finales, 3);
    });
    f.fila.olvida();  // a reset: the pictures are gone
    EXPECT_FALSE(f.fila.en_marcha());
    EXPECT_TRUE(f.lanza->isEnabled());
    f.fila.espera();
    EXPECT_EQ(finales, std::vector<int>{-1});
}

}  // namespace
}  // namespace zek
