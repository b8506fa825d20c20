#include "PictureFileLoading.h"

#include "Command.h"

#include "core/app/PictureFiles.h"
#include "core/editor/AtomicFile.h"

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
    try {
        WriteFileAtomically(file, bytes);
    } catch (const FileWriteError& e) {
        throw UsageError(e.what());
    }
}

} // namespace murelo::cli
