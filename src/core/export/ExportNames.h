#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace murelo {

// Names of machine files. Paths here are case-sensitive and folder names often hold a ".",
// so every rule looks only at the file-name part (after the last '/').

// The path with its file-name part in upper case (ASCII letters); the folders keep theirs,
// or the files could not be created in them.
std::filesystem::path UpperCaseFileName(const std::filesystem::path& path);

// The file-name part's extension with its dot ("" when none). A name whose only "." is its
// first character (".profile") has none.
std::string FileExtension(const std::filesystem::path& path);

// The path cut before its extension, when it has one.
std::filesystem::path CutExtension(const std::filesystem::path& path);

// The path with `extension` (".cas") in place of its own; an own extension equal to it apart
// from letter case (GAME.CAS) is kept as it is, so the chosen file is the one written.
std::filesystem::path WithExtension(const std::filesystem::path& path, std::string_view extension);

// The binary export's companion files: base plus suffix, the base's extension kept
// (PIC.BIN gives PIC.BIN.GEN).
std::filesystem::path WithSuffix(const std::filesystem::path& base, std::string_view suffix);

} // namespace murelo
