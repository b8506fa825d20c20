#pragma once

#include "core/editor/ColorCheck.h"
#include "core/editor/Picture.h"
#include "core/editor/ScreenBuffer.h"
#include "core/export/BinaryExport.h"
#include "core/export/ExportFileSet.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace murelo {

// "Data Type" items.
enum ExportDataType : int {
    ExportBinaryData = 0,
    ExportCasData = 1,
    ExportWavData = 2,
    ExportSc2Data = 3, // "SCREEN 2 IMAGE (*.SC2)": one BLOAD-able file
};
// "Baud Rate" items.
enum TapeBaudRate : int { Baud1200 = 0, Baud2400 = 1 };

constexpr int MinWavVolume = 1;
constexpr int MaxWavVolume = 127;
constexpr std::size_t TapeNameEditLimit = 6; // the "FileName" edit's character limit

constexpr std::string_view CasSaveFilter = "Tape Image (*.CAS)|*.CAS";
constexpr std::string_view WavSaveFilter = "Tape WAV Image (*.WAV)|*.WAV";

// The export dialog's controls, with the values they show when the program starts.
struct ExportOptions {
    int dataType = ExportBinaryData; // RadioGroup2
    BinaryExportOptions binary;      // RadioButton1/2, CheckBox1, CheckBox3, CheckBox2
    int startAddress = 0;            // ComboBox1 item, 0 "C800H (16KB-32KB)" .. 4 "9000H (32KB)"
    std::string tapeName;            // Edit1; empty takes the output file's name
    int wavVolume = 64;              // TrackBar1, 1..127
    int baudRate = Baud1200;         // RadioGroup3
};

// What the dialog supplies while the job runs. Each query is its save dialog (SaveDialog1 for
// binary files, SaveDialog2 with CasSaveFilter, SaveDialog3 with WavSaveFilter) and returns
// nullopt when cancelled; only the one for the chosen data type is asked.
struct ExportJobHooks {
    ColorCheckHooks check; // progress window and Cancel button of the colour check
    ExportPathQuery binaryPath;
    ExportPathQuery casPath;
    ExportPathQuery wavPath;
    ExportPathQuery sc2Path; // with Sc2SaveFilter; a name without extension gets ".SC2"
    // Called right before the chosen data type's save dialog opens, once the check (and for
    // a tape the load-address check) is over, with the message window's text by then: the
    // window shows the finished report and takes the progress window down first.
    std::function<void(const std::string& messageText)> beforeSaveDialog;
};

enum class ExportOutcome {
    CheckCanceled, // "Canceled.." (caption "Color Check"), nothing written
    Offences,      // "Some errors were found!" (caption "Color Check"), nothing written
    BankOver,      // "BANK OVER : N" (caption "Export Error"), nothing asked or written
    NoFileChosen,  // a save dialog was cancelled: no box
    DataOverflow,  // "Data Over Flow Error!..." and the highest start address that fits
                   // (caption "Export"), nothing written; the dialog stays for another try
    WriteFailed,   // a box naming each file that could not be written, and why
    Written,       // "OK!" and the files written (caption "Export"): everything was written
};

struct ExportJobResult {
    ExportOutcome outcome = ExportOutcome::Written;
    int checkResult = 0;      // the colour check's offences, or ColorCheckCanceled
    bool errorsShown = false; // the check marked the overlay
    std::string messageText;  // the message window's whole text afterwards
    std::string boxText;      // the box to show; empty when there is none
    std::string boxCaption;
    std::vector<std::filesystem::path> written;
    std::vector<ExportFileFailure> failures;
};

// Throws std::invalid_argument naming the first option out of range.
void ValidateExportOptions(const ExportOptions& options);

// The Export button: resets the video-memory image, runs the colour check with table
// generation, and when it found nothing writes the binary files, or packs the tables, checks
// the load address and writes the CAS image or WAV tape. The picture must be 256 x 192 and
// the options valid (std::invalid_argument before anything is touched). The caller hides
// the dialog and the overlay afterwards, and keeps the dialog's buttons disabled meanwhile.
ExportJobResult RunExportJob(const Picture& picture, int paletteKind, const ExportOptions& options,
                             Picture& overlay, VramImage vram, const ExportJobHooks& hooks);

} // namespace murelo
