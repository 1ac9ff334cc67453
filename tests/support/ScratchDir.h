#pragma once
// A fresh directory under the system temporary directory (or another parent), removed with everything in it when
// the object goes. Each test gets its own, so tests may run in parallel.

#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "savegen/FileBytes.h"

class ScratchDir {
public:
    explicit ScratchDir(const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
        static std::atomic<unsigned> counter{0};
        std::random_device seed;
        for (int attempt = 0;; ++attempt) {
            path_ = parent /
                    ("converter-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                     std::to_string(seed()));
            std::error_code error;
            if (std::filesystem::create_directory(path_, error)) break;
            if (attempt > 100) throw std::filesystem::filesystem_error("cannot create scratch directory", path_, error);
        }
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    std::string put(const std::string& name, const std::vector<unsigned char>& bytes) const {
        std::string full = file(name);
        writeFileBytes(full, bytes);
        return full;
    }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

// A temporary directory on a memory file system where there is one, for work that writes and
// syncs many files; the system temporary directory otherwise.
inline std::filesystem::path memoryBackedTempDirectory() {
    const std::filesystem::path memory = "/dev/shm";
    std::error_code error;
    return std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
}
