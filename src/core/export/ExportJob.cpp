#include "core/export/ExportJob.h"

#include "core/editor/AtomicFile.h"
#include "core/export/CasImage.h"
#include "core/export/ExportNames.h"
#include "core/export/LoadAddressCheck.h"
#include "core/export/Packer.h"
#include "core/export/Sc2Image.h"
#include "core/export/VramTables.h"
#include "core/export/WaveTape.h"
#include "core/export/loader/LoaderImage.h"

#include <stdexcept>

namespace murelo {

namespace {

constexpr std::string_view ExportCaption = "Export";
constexpr std::string_view ExportErrorCaption = "Export Error";
constexpr std::string_view OkText = "OK!";

void Refuse(const std::string& what) {
    throw std::invalid_argument(what);
}

void SetBox(ExportJobResult& result, ExportOutcome outcome, std::string_view text,
            std::string_view caption) {
    result.outcome = outcome;
    result.boxText = text;
    result.boxCaption = caption;
}

void TakeBinaryResult(ExportJobResult& result, BinaryExportResult binary) {
    ExportOutcome outcome = ExportOutcome::Written;
    switch (binary.status) {
    case BinaryExportStatus::Written:
        outcome = ExportOutcome::Written;
        break;
    case BinaryExportStatus::BankOver:
        outcome = ExportOutcome::BankOver;
        break;
    case BinaryExportStatus::Canceled:
        outcome = ExportOutcome::NoFileChosen;
        break;
    case BinaryExportStatus::WriteFailed:
        outcome = ExportOutcome::WriteFailed;
        break;
    }
    SetBox(result, outcome, binary.boxText, binary.boxCaption);
    result.written = std::move(binary.files.written);
    result.failures = std::move(binary.files.failures);
}

void AnnounceSaveDialog(const ExportJobHooks& hooks, const std::string& messageText) {
    if (hooks.beforeSaveDialog)
        hooks.beforeSaveDialog(messageText);
}

void ExportTape(ConstVramImage vram, const ExportOptions& options, const ExportJobHooks& hooks,
                ExportJobResult& result) {
    const PackedScreen packed = PackScreen(vram);
    const LoadAddressResult address = CheckLoadAddress(options.startAddress, packed.size());
    result.messageText = address.messageText;
    if (!address.fits) {
        SetBox(result, ExportOutcome::DataOverflow, address.errorBox, ExportCaption);
        return;
    }
    const bool wav = options.dataType == ExportWavData;
    const ExportPathQuery& ask = wav ? hooks.wavPath : hooks.casPath;
    AnnounceSaveDialog(hooks, result.messageText);
    const auto chosen = ask ? ask() : std::nullopt;
    if (!chosen) {
        result.outcome = ExportOutcome::NoFileChosen;
        return;
    }
    TapeFile tape;
    tape.name = TapeName(options.tapeName, chosen->string());
    tape.header = address.header;
    tape.loader = LoaderImage(options.startAddress);
    tape.packed = packed.bytes;
    const std::filesystem::path target = WithExtension(*chosen, wav ? ".wav" : ".cas");
    try {
        if (wav)
            WriteWavTape(target, tape, options.baudRate == Baud2400 ? 2 : 1, options.wavVolume);
        else
            WriteCasImage(target, tape);
    } catch (const FileWriteError& e) {
        result.failures.push_back({e.file, e.reason});
        ExportFilesReport report;
        report.failures = result.failures;
        SetBox(result, ExportOutcome::WriteFailed, WriteFailureText(report), ExportErrorCaption);
        return;
    }
    result.written.push_back(target);
    SetBox(result, ExportOutcome::Written, OkText, ExportCaption);
}

void ExportSc2(ConstVramImage vram, const ExportJobHooks& hooks, ExportJobResult& result) {
    AnnounceSaveDialog(hooks, result.messageText);
    const auto chosen = hooks.sc2Path ? hooks.sc2Path() : std::nullopt;
    if (!chosen) {
        result.outcome = ExportOutcome::NoFileChosen;
        return;
    }
    std::filesystem::path target = *chosen;
    if (FileExtension(target).empty())
        target += std::string(Sc2Extension);
    const ExportFilesReport report = WriteSc2Image(target, vram);
    result.written = report.written;
    result.failures = report.failures;
    if (!report.ok())
        SetBox(result, ExportOutcome::WriteFailed, WriteFailureText(report), ExportErrorCaption);
    else
        SetBox(result, ExportOutcome::Written, OkText, ExportCaption);
}

// "OK!" alone leaves the user guessing where the files went (a typed name may land in
// another folder than the one in mind): the box names every file written.
void NameWrittenFiles(ExportJobResult& result) {
    if (result.outcome != ExportOutcome::Written || result.written.empty())
        return;
    result.boxText += "\n\nWritten:";
    for (const std::filesystem::path& file : result.written)
        result.boxText += "\n  " + file.string();
}

} // namespace

void ValidateExportOptions(const ExportOptions& options) {
    if (options.dataType < ExportBinaryData || options.dataType > ExportSc2Data)
        Refuse("the data type must be 0 (binary), 1 (CAS), 2 (WAV) or 3 (SC2)");
    if (options.startAddress < 0 || options.startAddress >= StartAddressCount)
        Refuse("the start address item must be 0.." + std::to_string(StartAddressCount - 1));
    if (options.wavVolume < MinWavVolume || options.wavVolume > MaxWavVolume)
        Refuse("the WAV volume must be 1..127");
    if (options.baudRate != Baud1200 && options.baudRate != Baud2400)
        Refuse("the baud rate item must be 0 (1200 baud) or 1 (2400 baud)");
}

ExportJobResult RunExportJob(const Picture& picture, int paletteKind, const ExportOptions& options,
                             Picture& overlay, VramImage vram, const ExportJobHooks& hooks) {
    ValidateExportOptions(options);
    if (picture.width() != 256 || picture.height() != 192)
        Refuse("only a 256 x 192 picture can be exported, not " + std::to_string(picture.width()) +
               " x " + std::to_string(picture.height()));

    ResetVramImage(vram);
    const ColorCheckResult check =
        ColorCheck(picture, paletteKind, true, overlay, vram, hooks.check);
    ExportJobResult result;
    result.checkResult = check.result;
    result.errorsShown = check.errorsShown;
    result.messageText = check.messageText;
    if (check.result != 0) {
        SetBox(result,
               check.result == ColorCheckCanceled ? ExportOutcome::CheckCanceled
                                                  : ExportOutcome::Offences,
               ColorCheckBoxText(check.result), ColorCheckCaption);
        return result;
    }
    if (options.dataType == ExportBinaryData) {
        // The binary export may add the character count to the text before it asks.
        const ExportPathQuery ask = [&] {
            AnnounceSaveDialog(hooks, result.messageText);
            return hooks.binaryPath ? hooks.binaryPath() : std::nullopt;
        };
        TakeBinaryResult(result, ExportBinary(vram, options.binary, ask, result.messageText));
    } else if (options.dataType == ExportSc2Data) {
        ExportSc2(vram, hooks, result);
    } else {
        ExportTape(vram, options, hooks, result);
    }
    NameWrittenFiles(result);
    return result;
}

} // namespace murelo
