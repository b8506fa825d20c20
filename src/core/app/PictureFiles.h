#pragma once

#include "core/app/Document.h"
#include "core/editor/BitmapCodec.h"
#include "core/editor/PictureFit.h"

#include <string>

namespace murelo {

// Why Open or Import refused a file before reading its pixels.
enum class FileRefusal {
    None,
    NotPicture,     // "Not BMP File!": no kind of picture the readers take
    TooLargeToOpen, // beyond Open's 640 x 640, which Import would scale
};

// A message box of the file commands: its caption and text. Empty text means success.
struct FileReport {
    std::string caption;
    std::string text;
    FileRefusal refusal = FileRefusal::None;

    bool ok() const { return text.empty(); }
};

// The editor's text for a refused file: the report's own text, then a line naming the file
// (for a file of no kind it reads, with the kinds it does read) and, for a picture too large
// to open, a line pointing to File > Import Picture..., which scales it.
std::string RefusalTextNamingTheFile(const FileReport& report, const std::string& path);

struct PictureFileContents {
    FileReport report; // empty text when the bitmap decoded
    DecodedBitmap bitmap;
};

// Reads and decodes a picture file (BMP, PNG, JPEG, GIF or SCREEN 2 image, told by its
// bytes) without touching any document: the first half of Open. Every reader of picture
// files goes through here; Import passes limits without Open's size rule.
PictureFileContents ReadPictureFile(const std::string& path, const PictureLimits& limits = {});

// Open and drop: reads the file (regular files only), decodes it and adopts the picture:
// size, SaveDepth (the file's pixel-format code, 6 when a pixel is not in the detected
// palette), the cleared overlay and scratch images, the detected PaletteKind with its
// EditMode, FileName = path, Modified = false, ErrorsShown = false.
// On failure the document is left exactly as it was and the report says why ("Not BMP
// File!" or the size message with caption "Open Error", "ReadError : %s" with "Open").
// After a success the caller restarts the undo ring (EditorSession::restartUndo), clears
// the message window, hides Image4/Image6 and shows the palette and depth in the tool
// palette; after either outcome it disarms input (EditorSession::openPicture does both).
FileReport LoadPictureFile(Document& doc, const std::string& path);

// Import: reads any picture of any size, scales it to width x height (at most 640 each) as
// `fit` says and makes it a new picture: no FileName, Modified = true, SaveDepth 24 bits,
// cleared overlay and scratch images. PaletteKind and EditMode stay as they are: a
// photograph holds no palette to detect (its black bars alone would pick an odd one). The
// caller then restarts the undo ring and clears the message window.
// On failure the document is left exactly as it was.
FileReport ImportPictureFile(Document& doc, const std::string& path, int width, int height,
                             PictureFitMode fit);

// The edit mode that goes with a detected palette kind (PC-8801 pixels are tall, the
// PC-6x01 modes square with free drawing, the chip palettes square).
EditModeId EditModeForKind(PaletteKindId kind);

// A target whose name ends in ".png" gets a lossless PNG (indexed with the palette's colours
// when they hold every pixel, else RGB) whatever SaveDepth says.
// Writes the picture to `target` at SaveDepth (4 or 8 bits only when every pixel is in the
// palette, else 24), through a temporary file renamed over the target when complete.
// On success FileName = saveDialogName and Modified = false when that is not empty.
// On failure nothing changes: the old file is intact, the picture stays
// marked modified, and the report (caption "Save") names the file and the system's reason.
//
// Save:        target = PictureSaveName(FileName), saveDialogName = target.
// Save As:     target = PictureSaveName(the dialog's name), saveDialogName = target; the
//              caller asks "File Exists.\nOverwrite?" and the depth dialog first, and on
//              Cancel simply does not call this, so FileName stays as it was.
// Consecutive: see SaveConsecutive.
FileReport WritePictureFile(Document& doc, const std::string& target,
                            const std::string& saveDialogName);

// Save Consecutive: writes ConsecutiveFileName(FileName, stamp) without a question and
// remembers it in ConsecutiveName; FileName afterwards is the save dialog's name again.
FileReport SaveConsecutive(Document& doc, const std::string& saveDialogName,
                           const std::string& stamp);

} // namespace murelo
