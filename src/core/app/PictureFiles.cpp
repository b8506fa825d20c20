#include "core/app/PictureFiles.h"

#include "core/editor/AtomicFile.h"
#include "core/editor/BitmapCodec.h"
#include "core/editor/FileNameRules.h"
#include "core/editor/IndexedCopy.h"
#include "core/editor/PictureDecoding.h"
#include "core/editor/PictureFileEncoding.h"
#include "core/editor/PictureFileIo.h"
#include "core/editor/PngEncode.h"
#include "core/palette/Palettes.h"

#include <filesystem>

namespace murelo {

namespace {

FileReport OpenError(std::string text) {
    return {"Open Error", std::move(text)};
}
FileReport ReadError(const std::string& reason) {
    return {"Open", "ReadError : " + reason};
}

// Whether the picture's palette and pixel mode come from its pixels (a file drawn in a palette)
// or stay as they are (a photograph, which holds no palette to detect).
enum class PaletteSource { Detected, Kept };

void AdoptPicture(Document& doc, DecodedBitmap& decoded, const std::string& path,
                  PaletteSource palette) {
    const int w = decoded.picture.width(), h = decoded.picture.height();
    doc.picture = std::move(decoded.picture);
    doc.PictureWidth = w;
    doc.PictureHeight = h;
    doc.errorOverlay = Picture(w, h, OverlayBackground);
    doc.scratch = Picture(w, h, OverlayBackground);
    if (palette == PaletteSource::Detected) {
        doc.PaletteKind = DetectPalette(doc.picture);
        doc.EditMode = EditModeForKind(doc.PaletteKind);
    }
    doc.ErrorsShown = false;
    doc.FileName = path;
    doc.Modified = false;
    doc.SaveDepth = static_cast<PixelFormat>(decoded.formatCode);
    if (!PictureFitsPalette(doc.picture, KindNumber(doc.PaletteKind)))
        doc.SaveDepth = PixelFormat::Bits24;
}

} // namespace

std::string RefusalTextNamingTheFile(const FileReport& report, const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    switch (report.refusal) {
    case FileRefusal::None:
        break;
    case FileRefusal::NotPicture:
        return report.text + "\n  ->File : " + name +
               " (not a BMP, PNG, JPEG, GIF or SCREEN 2 image)";
    case FileRefusal::TooLargeToOpen:
        return report.text + "\n  ->File : " + name +
               "\n  ->File > Import Picture... scales it to fit";
    }
    return report.text;
}

EditModeId EditModeForKind(PaletteKindId kind) {
    if (kind == PaletteKindId::Pc8801)
        return EditModeId::Pc8801Tall;
    if (IsColorModePalette(kind))
        return EditModeId::Pc6001;
    return EditModeId::Tms99x8;
}

PictureFileContents ReadPictureFile(const std::string& path, const PictureLimits& limits) {
    PictureFileContents contents;
    const FileBytes file = ReadRegularFile(path);
    if (!file.ok()) {
        contents.report = ReadError(file.error);
        return contents;
    }
    contents.bitmap = DecodeAnyPicture(file.bytes, limits);
    switch (contents.bitmap.fault) {
    case BitmapFault::None:
        break;
    case BitmapFault::NotBitmap:
        contents.report = OpenError(contents.bitmap.message);
        contents.report.refusal = FileRefusal::NotPicture;
        break;
    case BitmapFault::TooLarge:
        contents.report = OpenError(contents.bitmap.message);
        contents.report.refusal = FileRefusal::TooLargeToOpen;
        break;
    case BitmapFault::Unreadable:
        contents.report = ReadError(contents.bitmap.message);
        break;
    }
    return contents;
}

FileReport LoadPictureFile(Document& doc, const std::string& path) {
    PictureFileContents contents = ReadPictureFile(path);
    if (contents.report.ok())
        AdoptPicture(doc, contents.bitmap, path, PaletteSource::Detected);
    return contents.report;
}

FileReport ImportPictureFile(Document& doc, const std::string& path, int width, int height,
                             PictureFitMode fit) {
    if (width < 1 || height < 1 || width > MaxPictureSize || height > MaxPictureSize)
        return OpenError("The picture size must be 1 to 640 in each direction.");
    PictureLimits limits;
    limits.openSizeRule = false;
    // Twice the target leaves the resampler real work, so shrinking while decoding costs
    // nothing visible.
    limits.minWidth = 2 * width;
    limits.minHeight = 2 * height;
    PictureFileContents contents = ReadPictureFile(path, limits);
    if (!contents.report.ok())
        return contents.report;
    std::optional<Picture> fitted = FitPicture(contents.bitmap.picture, width, height, fit);
    if (!fitted)
        return {"Import", "The picture could not be scaled to " + std::to_string(width) + " x " +
                              std::to_string(height) + ": not enough memory."};
    contents.bitmap.picture = std::move(*fitted);
    contents.bitmap.formatCode = PixelFormatCode(PixelFormat::Bits24);
    AdoptPicture(doc, contents.bitmap, std::string(), PaletteSource::Kept);
    doc.Modified = true;
    return {};
}

FileReport WritePictureFile(Document& doc, const std::string& target,
                            const std::string& saveDialogName) {
    std::vector<std::uint8_t> bytes;
    if (IsPngFileName(target))
        bytes = EncodePng(doc.picture, KindNumber(doc.PaletteKind));
    else
        bytes = EncodePictureForSave(doc.picture, KindNumber(doc.PaletteKind),
                                     PixelFormatCode(doc.SaveDepth))
                    .bytes;
    try {
        WriteFileAtomically(target, bytes);
    } catch (const FileWriteError& e) {
        return {"Save", "WriteError : " + target + " : " + e.reason};
    }
    doc.FileName = saveDialogName;
    if (!doc.FileName.empty())
        doc.Modified = false;
    return {};
}

FileReport SaveConsecutive(Document& doc, const std::string& saveDialogName,
                           const std::string& stamp) {
    const std::string target = ConsecutiveFileName(doc.FileName, stamp);
    FileReport report = WritePictureFile(doc, target, saveDialogName);
    if (report.ok())
        doc.ConsecutiveName = target;
    return report;
}

} // namespace murelo
