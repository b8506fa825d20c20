#include "PictureFileLoading.h"

#include "Command.h"

#include "core/app/PictureFiles.h"
#include "core/editor/PictureFileIo.h"

#include <algorithm>

namespace murelo::cli {

Document LoadPictureOrThrow(const std::string& file) {
    Document doc;
    const FileReport report = LoadPictureFile(doc, file);
    if (!report.ok()) {
        std::string text = report.text;
        std::replace(text.begin(), text.end(), '\n', ' ');
        throw UsageError(file + ": " + text);
    }
    return doc;
}

void WriteFileOrThrow(const std::string& file, const std::vector<std::uint8_t>& bytes) {
    const std::string failure = WriteFileAtomically(file, bytes);
    if (!failure.empty())
        throw UsageError("cannot write " + file + ": " + failure);
}

} // namespace murelo::cli
