#include "core/export/TapeName.h"

namespace murelo {

namespace {

std::string_view StemOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = file.find_last_of('.');
    return dot == std::string_view::npos ? file : file.substr(0, dot);
}

// Bytes of the UTF-8 sequence that starts with `lead`; a stray byte counts alone.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

} // namespace

TapeFileName TapeName(std::string_view nameText, std::string_view outputPath) {
    const std::string_view source = nameText.empty() ? StemOf(outputPath) : nameText;
    TapeFileName name;
    name.fill(' ');
    std::size_t pos = 0;
    for (int count = 0; count < TapeNameLength && pos < source.size(); ++count) {
        const unsigned char lead = static_cast<unsigned char>(source[pos]);
        if (lead >= 0x20 && lead <= 0x7E) {
            name[std::size_t(count)] = lead;
            ++pos;
            continue;
        }
        name[std::size_t(count)] = '_';
        std::size_t length = lead >= 0x80 ? SequenceLength(lead) : 1;
        std::size_t taken = 1;
        while (taken < length && pos + taken < source.size() &&
               IsContinuation(static_cast<unsigned char>(source[pos + taken])))
            ++taken;
        pos += taken;
    }
    return name;
}

} // namespace murelo
