#pragma once

#include "core/app/Document.h"
#include "core/app/PictureFiles.h"

#include <string>

namespace murelo::cli {

// The commands' one way to pictures. Each reads FILE through the editor's reader of every
// picture kind; a refusal becomes a one-line error naming the file.

// Loads FILE as the editor's Open does.
Document LoadPictureOrThrow(const std::string& file);
// Reads FILE as Open does without making a document of it (the file's own depth kept).
DecodedBitmap ReadPictureOrThrow(const std::string& file);
// File > Import Picture...: FILE scaled to width x height as `fit` says.
Document ImportPictureOrThrow(const std::string& file, int width, int height, PictureFitMode fit);

// Throws when the bytes cannot be written to OUT (through a temporary file, as saves do).
void WriteFileOrThrow(const std::string& file, const std::vector<std::uint8_t>& bytes);

} // namespace murelo::cli
