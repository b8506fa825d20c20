#pragma once

#include <string>
#include <string_view>

namespace murelo {

// Every rule here looks only at the file-name part after the last '/': a folder such as
// "my.dir" is never cut or changed, since the files beside it must land in that folder.

// The name with its extension replaced by `extension` (which brings its own '.'). A name
// whose extension already equals it in any letter case is kept as it is (PIC.sc5 stays).
// A '.' that starts the file name is no extension.
std::string ReplaceExtension(std::string_view name, std::string_view extension);

// The name with ".extension" appended when its file-name part has no extension, as a save
// dialog with that default extension gives it; an empty default appends nothing.
std::string WithDefaultExtension(std::string_view name, std::string_view defaultExtension);

// The file-name part in upper case (MSX names); the folder keeps its letters, because the
// folders of this system tell the cases apart.
std::string UpperCaseFileName(std::string_view name);

} // namespace murelo
