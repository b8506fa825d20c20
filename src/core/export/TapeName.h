#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace murelo {

constexpr int TapeNameLength = 6;
using TapeFileName = std::array<std::uint8_t, TapeNameLength>;

// The six name bytes of a tape's file header: the "FileName" text, or when that is empty
// the output file's name after the last '/' without its extension. The first six
// characters are used; printable ASCII is kept, any other character (a UTF-8 sequence
// counts as one) becomes '_', and spaces pad the name, so it is always six bytes.
TapeFileName TapeName(std::string_view nameText, std::string_view outputPath);

} // namespace murelo
