#include "core/convert/ScreenFileNames.h"

#include "core/editor/FileNameRules.h"

#include <algorithm>
#include <cctype>

namespace murelo {

namespace {

std::size_t FileNameStart(std::string_view name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

char Upper(char c) {
    return char(std::toupper(static_cast<unsigned char>(c)));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

} // namespace

std::string ReplaceExtension(std::string_view name, std::string_view extension) {
    const std::string stem = CutExtension(name);
    if (EqualsIgnoringCase(name.substr(stem.size()), extension))
        return std::string(name);
    return stem + std::string(extension);
}

std::string WithDefaultExtension(std::string_view name, std::string_view defaultExtension) {
    if (defaultExtension.empty() || CutExtension(name).size() != name.size())
        return std::string(name);
    return std::string(name) + "." + std::string(defaultExtension);
}

std::string UpperCaseFileName(std::string_view name) {
    std::string out(name);
    std::transform(out.begin() + std::ptrdiff_t(FileNameStart(name)), out.end(),
                   out.begin() + std::ptrdiff_t(FileNameStart(name)), Upper);
    return out;
}

} // namespace murelo
