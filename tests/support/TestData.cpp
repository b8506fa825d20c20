#include "support/TestData.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace murelo::test {

std::filesystem::path DataPath(const std::string& relative) {
    return std::filesystem::path(MURELO_TEST_DATA) / relative;
}

std::filesystem::path SharedPath(const std::string& relative) {
    return std::filesystem::path(MURELO_SHARED_DIR) / relative;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "murelo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::vector<unsigned char> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace murelo::test
