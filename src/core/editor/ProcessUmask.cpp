#include "core/editor/ProcessUmask.h"

#include <fstream>
#include <iterator>
#include <string>

namespace murelo {

namespace {
constexpr std::string_view UmaskLabel = "Umask:";
constexpr mode_t UnknownUmask = 077;
} // namespace

std::optional<mode_t> ParseStatusUmask(std::string_view status) {
    for (std::size_t at = 0; at < status.size();) {
        std::size_t end = status.find('\n', at);
        if (end == std::string_view::npos)
            end = status.size();
        std::string_view line = status.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with(UmaskLabel))
            continue;
        line.remove_prefix(UmaskLabel.size());
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty())
            return std::nullopt;
        mode_t mask = 0;
        for (const char c : line) {
            if (c < '0' || c > '7')
                return std::nullopt;
            mask = mode_t(mask * 8 + mode_t(c - '0'));
            if (mask > 0777)
                return std::nullopt;
        }
        return mask;
    }
    return std::nullopt;
}

mode_t ReadUmask(const std::filesystem::path& statusFile) {
    std::ifstream in(statusFile);
    const std::string status{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return ParseStatusUmask(status).value_or(UnknownUmask);
}

} // namespace murelo
