// SPDX-License-Identifier: MIT
// A real file system that is nearly full: a small tmpfs mounted in this
// process's own mount namespace (so nothing outside the test sees it), then
// filled until only the bytes asked for are left. Needs root, as CI runs.
#pragma once

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace zek::prueba {

class DiscoLleno {
  public:
    // Mounts a tmpfs of that many bytes; montado() says whether it could.
    explicit DiscoLleno(size_t tamano) {
        carpeta_ = std::filesystem::temp_directory_path() /
                   ("zek-disco-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(carpeta_);
        const std::string opciones = "size=" + std::to_string(tamano);
        if (unshare(CLONE_NEWNS) != 0) {
            fallo("unshare");
        } else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            fallo("mount --make-rprivate");
        } else if (mount("tmpfs", carpeta_.c_str(), "tmpfs", 0, opciones.c_str()) != 0) {
            fallo("mount tmpfs");
        } else {
            montado_ = true;
        }
    }
    ~DiscoLleno() {
        if (montado_) umount2(carpeta_.c_str(), MNT_DETACH);
        std::error_code e;
        std::filesystem::remove_all(carpeta_, e);
    }
    DiscoLleno(const DiscoLleno&) = delete;
    DiscoLleno& operator=(const DiscoLleno&) = delete;

    bool montado() const { return montado_; }
    const std::string& error() const { return error_; }
    const std::filesystem::path& carpeta() const { return carpeta_; }

    size_t libres() const {
        struct statvfs s {};
        statvfs(carpeta_.c_str(), &s);
        return static_cast<size_t>(s.f_bavail) * s.f_frsize;
    }
    // Fills the disk with one file until about `bytes` are left (tmpfs
    // counts whole pages).
    void deja_libres(size_t bytes) {
        const size_t ahora = libres();
        if (ahora <= bytes) return;
        std::ofstream(carpeta_ / "relleno", std::ios::binary | std::ios::app)
            << std::string(ahora - bytes, 'x');
    }

  private:
    void fallo(const char* que) {
        error_ = std::string(que) + ": " + std::strerror(errno) +
                 " (this test mounts a real tmpfs and needs root, as CI runs)";
    }

    std::filesystem::path carpeta_;
    bool montado_ = false;
    std::string error_;
};

}  // namespace zek::prueba
