#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace murelo::test {

// tests/data/<relative>
std::filesystem::path DataPath(const std::string& relative);
// ../shared/<relative> beside the checkout
std::filesystem::path SharedPath(const std::string& relative);

// A fresh, empty folder removed when the object goes away.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

std::vector<unsigned char> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes);

} // namespace murelo::test
