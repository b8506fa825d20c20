#pragma once

#include "core/app/Document.h"

#include <string>

namespace murelo::cli {

// Loads FILE as the editor's Open does; a refusal becomes a one-line error naming the file.
Document LoadPictureOrThrow(const std::string& file);

// Throws when the bytes cannot be written to OUT (through a temporary file, as saves do).
void WriteFileOrThrow(const std::string& file, const std::vector<std::uint8_t>& bytes);

} // namespace murelo::cli
