#pragma once

#include "core/export/ExportJob.h"

#include <string_view>

namespace murelo {

// The save dialogs the export asks: SaveDialog1 for binary files, SaveDialog2 for CAS
// images, SaveDialog3 for WAV tapes, SaveDialog4 for SCREEN 2 images (the number is the
// dialog's in its name).
enum class ExportSaveDialog : int { Binary = 1, Cas = 2, Wav = 3, Sc2 = 4 };

constexpr int SaveDialogNumber(ExportSaveDialog dialog) {
    return static_cast<int>(dialog);
}

// Which groups of the export dialog can be used.
struct ExportEnabling {
    bool binaryOptions;   // "Normal", "Compress", "Add MSX Header"
    bool compressOptions; // "Divide NAM Table", "Store 1 BANK if possible"
    bool tapeOptions;     // start address and tape file name
    bool wavOptions;      // volume and baud rate
};

// The export dialog's rules: the data type ("Binary Data", "CAS Data", "WAV Data",
// "SCREEN 2 IMAGE (*.SC2)", which has no options) and the
// "Compress" choice decide what can be used; each data type has its save dialog.
class ExportDialogModel {
  public:
    // A click on a data type, or on "Normal" / "Compress"; each answers the new enabling.
    ExportEnabling chooseDataType(ExportDataType type);
    ExportEnabling chooseCompress(bool compress);

    ExportDataType dataType() const { return dataType_; }
    bool compress() const { return compress_; }
    ExportEnabling enabling() const;

    // The file type filter of a save dialog; the binary files' dialog has none.
    static std::string_view NameFilter(ExportSaveDialog dialog);

  private:
    ExportDataType dataType_ = ExportBinaryData;
    bool compress_ = false;
};

} // namespace murelo
