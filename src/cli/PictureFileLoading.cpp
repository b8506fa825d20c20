#include "PictureFileLoading.h"

#include "Command.h"

#include "core/app/PictureFiles.h"
#include "core/editor/PictureFileIo.h"

namespace murelo::cli {

namespace {

void ThrowUnlessOk(const std::string& file, const FileReport& report) {
    if (!report.ok())
        throw UsageError(file + ": " + OneLine(report.text));
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
    const std::string failure = WriteFileAtomically(file, bytes);
    if (!failure.empty())
        throw UsageError("cannot write " + file + ": " + failure);
}

} // namespace murelo::cli
