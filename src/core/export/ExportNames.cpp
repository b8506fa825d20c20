#include "core/export/ExportNames.h"

#include <algorithm>

namespace murelo {
namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return UpperAscii(x) == UpperAscii(y);
           });
}

// Position of the extension's dot in the file name, or npos.
std::size_t ExtensionDot(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string::npos : dot;
}

} // namespace

std::filesystem::path UpperCaseFileName(const std::filesystem::path& path) {
    std::string name = path.filename().string();
    std::transform(name.begin(), name.end(), name.begin(), UpperAscii);
    return path.parent_path() / name;
}

std::string FileExtension(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const std::size_t dot = ExtensionDot(name);
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::filesystem::path CutExtension(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const std::size_t dot = ExtensionDot(name);
    if (dot == std::string::npos)
        return path;
    return path.parent_path() / name.substr(0, dot);
}

std::filesystem::path WithExtension(const std::filesystem::path& path, std::string_view extension) {
    if (EqualIgnoringAsciiCase(FileExtension(path), extension))
        return path;
    std::filesystem::path result = CutExtension(path);
    result += std::string(extension);
    return result;
}

std::filesystem::path WithSuffix(const std::filesystem::path& base, std::string_view suffix) {
    std::filesystem::path result = base;
    result += std::string(suffix);
    return result;
}

} // namespace murelo
