#pragma once

#include "ConvertOptions.h"

#include "core/editor/Picture.h"

#include <cstdint>
#include <vector>

namespace murelo::cli {

// A result as a 24-bit bitmap, or as a PNG (indexed in the kind's colours when it holds no
// other).
std::vector<std::uint8_t> EncodeResult(const Picture& result, ResultFormat format, int kind);

} // namespace murelo::cli
