#pragma once

#include "core/editor/FileFaults.h"
#include "support/TestData.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <vector>

namespace murelo::test {

using Bytes = std::vector<std::uint8_t>;

inline std::vector<std::string> Entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline Bytes Read(const std::filesystem::path& file) {
    const std::vector<unsigned char> bytes = ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

inline void Write(const std::filesystem::path& file, const Bytes& bytes) {
    WriteBytes(file, {bytes.begin(), bytes.end()});
}

inline unsigned ModeOf(const std::filesystem::path& file) {
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? unsigned(st.st_mode & 07777) : ~0u;
}

inline Bytes Pattern(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t((i * 131 + seed * 7 + (i >> 8)) & 0xFF);
    return bytes;
}

// Sets the umask for one test and puts the old one back.
class ScopedUmask {
  public:
    explicit ScopedUmask(mode_t mask) : saved_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(saved_); }

  private:
    mode_t saved_;
};

// An armed fault never outlives its test.
struct FaultsCleared {
    ~FaultsCleared() { ClearFileFaults(); }
};

// A small tmpfs mounted on a fresh folder, for a real full or read-only file system. Mounting
// needs privileges a test may not have; mounted() then says so and the test is skipped.
class SmallFileSystem {
  public:
    explicit SmallFileSystem(const std::string& size) {
        mounted_ = ::mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_)
            ::umount2(dir_.path().c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    bool makeReadOnly() {
        return ::mount("tmpfs", dir_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    const std::filesystem::path& path() const { return dir_.path(); }
    std::filesystem::path operator/(const std::string& name) const { return dir_ / name; }

  private:
    TempDir dir_;
    bool mounted_ = false;
};

} // namespace murelo::test
