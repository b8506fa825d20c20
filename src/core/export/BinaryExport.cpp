#include "core/export/BinaryExport.h"

#include "core/editor/BsaveHeader.h"
#include "core/export/Dedupe.h"
#include "core/export/ExportNames.h"
#include "core/export/VramTables.h"

#include <memory>
#include <stdexcept>
#include <vector>

namespace murelo {
namespace {

constexpr std::string_view ExportCaption = "Export";
constexpr std::string_view ExportErrorCaption = "Export Error";

std::optional<BsaveHeaderBytes> HeaderFor(const BinaryExportOptions& options, std::size_t start,
                                          std::size_t size) {
    if (!options.addHeader)
        return std::nullopt;
    return BsaveHeader(std::uint16_t(start), std::uint16_t(start + size - 1));
}

void WriteTable(ConstVramImage vram, const std::filesystem::path& file, std::size_t address,
                std::size_t size, const BinaryExportOptions& options, ExportFileSet& files) {
    files.add(file, HeaderFor(options, address, size), vram.subspan(address, size));
}

// The 8 * count bytes of the first count characters.
std::span<const std::uint8_t> CharacterData(const std::array<CharacterBytes, ScreenCellCount>& set,
                                            int count) {
    return {set.front().data(), 8 * std::size_t(count)};
}

void WriteCharacters(const CharacterSet& set, const std::filesystem::path& base,
                     const std::string& digit, std::size_t patternAddress,
                     const BinaryExportOptions& options, ExportFileSet& files) {
    const std::size_t size = 8 * std::size_t(set.count);
    const std::size_t colorAddress = VramColorTable + patternAddress;
    files.add(WithSuffix(base, ".GN" + digit), HeaderFor(options, patternAddress, size),
              CharacterData(set.UniquePatterns, set.count));
    files.add(WithSuffix(base, ".CL" + digit), HeaderFor(options, colorAddress, size),
              CharacterData(set.UniqueColors, set.count));
}

void WriteNameThird(std::span<const std::uint8_t> names, const std::filesystem::path& base,
                    int third, const BinaryExportOptions& options, ExportFileSet& files) {
    const std::size_t address = VramNameTable + BankCellCount * std::size_t(third);
    files.add(WithSuffix(base, ".NM" + std::to_string(third)),
              HeaderFor(options, address, BankCellCount), names);
}

void WriteWholeNameTable(std::span<const std::uint8_t> names, const std::filesystem::path& base,
                         const BinaryExportOptions& options, ExportFileSet& files) {
    files.add(WithSuffix(base, ".NM"), HeaderFor(options, VramNameTable, VramNameTableSize), names);
}

BinaryExportResult Finished(ExportFilesReport files) {
    BinaryExportResult result;
    if (files.ok()) {
        result.status = BinaryExportStatus::Written;
        result.boxText = "OK!";
        result.boxCaption = ExportCaption;
    } else {
        result.status = BinaryExportStatus::WriteFailed;
        result.boxText = WriteFailureText(files);
        result.boxCaption = ExportErrorCaption;
    }
    result.files = std::move(files);
    return result;
}

} // namespace

std::filesystem::path BinaryExportBase(const std::filesystem::path& chosen) {
    if (chosen.filename().empty())
        throw std::invalid_argument("no file name in \"" + chosen.string() + "\"");
    return UpperCaseFileName(chosen);
}

ExportFilesReport WriteNormalFiles(ConstVramImage vram, const std::filesystem::path& base,
                                   const BinaryExportOptions& options) {
    ExportFileSet files;
    WriteTable(vram, WithSuffix(base, ".GEN"), VramPatternTable, VramTableSize, options, files);
    WriteTable(vram, WithSuffix(base, ".NAM"), VramNameTable, VramNameTableSize, options, files);
    WriteTable(vram, WithSuffix(base, ".COL"), VramColorTable, VramTableSize, options, files);
    return files.commit();
}

ExportFilesReport WriteBankFiles(ConstVramImage vram, const std::filesystem::path& base,
                                 const BinaryExportOptions& options) {
    ExportFileSet files;
    // The undivided name table is collected and written once all thirds are known.
    std::vector<std::uint8_t> names;
    auto set = std::make_unique<CharacterSet>();
    for (int bank = 0; bank < VramBankCount; ++bank) {
        DedupeBank(vram, bank, *set);
        WriteCharacters(*set, base, std::to_string(bank), VramBankSize * bank, options, files);
        const std::span<const std::uint8_t> bankNames(set->CharacterNames.data(), BankCellCount);
        if (options.divideNameTable)
            WriteNameThird(bankNames, base, bank, options, files);
        else
            names.insert(names.end(), bankNames.begin(), bankNames.end());
    }
    if (!options.divideNameTable)
        WriteWholeNameTable(names, base, options, files);
    return files.commit();
}

ExportFilesReport WriteOneBankFiles(ConstVramImage vram, const std::filesystem::path& base,
                                    const BinaryExportOptions& options) {
    auto set = std::make_unique<CharacterSet>();
    const int count = DedupeScreen(vram, *set);
    if (count > BankCellCount)
        throw std::invalid_argument("BANK OVER : " + std::to_string(count));
    ExportFileSet files;
    WriteCharacters(*set, base, "", VramPatternTable, options, files);
    const std::span<const std::uint8_t> names(set->CharacterNames.data(), ScreenCellCount);
    if (options.divideNameTable) {
        for (int third = 0; third < VramBankCount; ++third)
            WriteNameThird(names.subspan(BankCellCount * std::size_t(third), BankCellCount), base,
                           third, options, files);
    } else {
        WriteWholeNameTable(names, base, options, files);
    }
    return files.commit();
}

BinaryExportResult ExportBinary(ConstVramImage vram, const BinaryExportOptions& options,
                                const ExportPathQuery& askPath, std::string& messageText) {
    const bool oneBank = options.compress && options.oneBank;
    if (oneBank) {
        const int count = CountScreenCharacters(vram, messageText);
        if (count > BankCellCount) {
            BinaryExportResult result;
            result.status = BinaryExportStatus::BankOver;
            result.boxText = "BANK OVER : " + std::to_string(count);
            result.boxCaption = ExportErrorCaption;
            return result;
        }
    }
    const std::optional<std::filesystem::path> chosen = askPath();
    if (!chosen) {
        BinaryExportResult result;
        result.status = BinaryExportStatus::Canceled;
        return result;
    }
    const std::filesystem::path base = BinaryExportBase(*chosen);
    if (!options.compress)
        return Finished(WriteNormalFiles(vram, base, options));
    return Finished(oneBank ? WriteOneBankFiles(vram, base, options)
                            : WriteBankFiles(vram, base, options));
}

std::string WriteFailureText(const ExportFilesReport& report) {
    std::string text;
    for (const ExportFileFailure& failure : report.failures) {
        if (!text.empty())
            text += "\n";
        text += "Write Error : " + failure.file.string() + " (" + failure.reason + ")";
    }
    return text;
}

} // namespace murelo
