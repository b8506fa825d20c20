#include "Command.h"

#include "core/palette/Palettes.h"

#include <algorithm>
#include <charconv>

namespace murelo::cli {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

int ParseInt(std::string_view text, std::string_view what, int min, int max) {
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < min || v > max)
        throw UsageError(std::string(what) + " must be a whole number from " + std::to_string(min) +
                         " to " + std::to_string(max) + ", not '" + std::string(text) + "'");
    return v;
}

int ParsePaletteKindArg(std::string_view text) {
    if (auto kind = ParsePaletteKind(text))
        return *kind;
    throw UsageError("unknown palette kind '" + std::string(text) +
                     "' (use 0..14 or a name such as TMS9918, Color 4-1, PC-8801)");
}

std::string OneLineText(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace murelo::cli
