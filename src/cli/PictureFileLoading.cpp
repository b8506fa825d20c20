#include "PictureFileLoading.h"

#include "Command.h"

#include "core/app/PictureFiles.h"
#include "core/editor/AtomicFile.h"

namespace murelo::cli {

namespace {

void ThrowUnlessOk(const std::string& file, const FileReport& report) {
    if (!report.ok())
        throw UsageError(file + ": " + OneLineText(report.text));
}

} // namespace

Document LoadPictureOrThrow(const std::string& file) {
    Document doc;
    ThrowUnlessOk(file, LoadPictureFile(doc, file));
    return doc;
}

DecodedBitmap ReadPictureOrThrow(const std::string& file) {
    PictureFileContents contents = ReadPictureFile(file);
    ThrowUnlessOk(file, contents.report);
    return std::move(contents.bitmap);
}

Document ImportPictureOrThrow(const std::string& file, int width, int height, PictureFitMode fit) {
    Document doc;
    ThrowUnlessOk(file, ImportPictureFile(doc, file, width, height, fit));
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
