#pragma once

#include "core/editor/ScreenBuffer.h"
#include "core/export/ExportFileSet.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace murelo {

// The export dialog's binary options.
struct BinaryExportOptions {
    bool compress = false;        // "Compress" chosen rather than "Normal"
    bool divideNameTable = false; // "Divide NAM Table"
    bool oneBank = false;         // "Store 1 BANK if possible"
    bool addHeader = true;        // "Add MSX Header"
};

enum class BinaryExportStatus {
    Written,     // every file written: box "OK!", caption "Export"
    BankOver,    // more than 256 characters for one bank: nothing asked, nothing written
    Canceled,    // the save dialog was cancelled: no box
    WriteFailed, // at least one file could not be written, so none was replaced
};

struct BinaryExportResult {
    BinaryExportStatus status = BinaryExportStatus::Written;
    std::string boxText;    // the message box to show; empty for Canceled
    std::string boxCaption; // "Export" or "Export Error"
    ExportFilesReport files;
};

// The save dialog of the binary export; nullopt when it was cancelled.
using ExportPathQuery = std::function<std::optional<std::filesystem::path>()>;

// The companion files' base: the chosen path with its file-name part upper-cased (an empty
// file-name part is refused with std::invalid_argument).
std::filesystem::path BinaryExportBase(const std::filesystem::path& chosen);

// The three file sets, written from the tables of a checked video-memory image. Each set is
// written as one (ExportFileSet): every file that cannot be written is reported, and then no
// file of the set is replaced.
// base.GEN, base.NAM, base.COL: the whole tables.
ExportFilesReport WriteNormalFiles(ConstVramImage vram, const std::filesystem::path& base,
                                   const BinaryExportOptions& options);
// base.GN0..2, base.CL0..2 per screen third, names in base.NM or base.NM0..2.
ExportFilesReport WriteBankFiles(ConstVramImage vram, const std::filesystem::path& base,
                                 const BinaryExportOptions& options);
// base.GN, base.CL for the whole screen, names in base.NM or base.NM0..2. The screen must
// hold at most 256 characters (std::invalid_argument otherwise).
ExportFilesReport WriteOneBankFiles(ConstVramImage vram, const std::filesystem::path& base,
                                    const BinaryExportOptions& options);

// The whole binary export after a check without offences: the counting run for a one-bank set
// (its lines are appended to messageText; over 256 gives "BANK OVER : N"), the save dialog,
// then the file set the options choose.
BinaryExportResult ExportBinary(ConstVramImage vram, const BinaryExportOptions& options,
                                const ExportPathQuery& askPath, std::string& messageText);

// The box text for files that could not be written: one "Write Error : FILE (REASON)" line each.
std::string WriteFailureText(const ExportFilesReport& report);

} // namespace murelo
