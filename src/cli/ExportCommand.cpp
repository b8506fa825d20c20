// export: the Export dialog's Export button on a bitmap file, options as its controls.
#include "Command.h"
#include "CommandLine.h"
#include "PictureFileLoading.h"

#include "core/export/ExportJob.h"
#include "core/export/LoadAddressCheck.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <optional>

namespace murelo::cli {
namespace {

constexpr const char* Usage =
    "usage: export FILE.bmp --format bin|cas|wav|sc2 -o PATH [--palette KIND] [--compress] "
    "[--divide-nam] [--one-bank] [--no-header] [--start C800|C000|B000|A000|9000] "
    "[--tape-name NAME] [--baud 1200|2400] [--volume 1..127]";

struct ExportArgs {
    std::string file;
    std::string output;
    std::optional<int> paletteKind;
    std::optional<int> format;
    ExportOptions options;
    std::vector<std::string> binaryOnly, tapeOnly, wavOnly; // the options given, by kind
    bool compressGiven = false;
};

int ParseFormat(const std::string& text) {
    if (text == "bin")
        return ExportBinaryData;
    if (text == "cas")
        return ExportCasData;
    if (text == "wav")
        return ExportWavData;
    if (text == "sc2")
        return ExportSc2Data;
    throw UsageError("--format must be bin, cas, wav or sc2, not '" + text + "'");
}

int ParseStart(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    if (text.ends_with('H'))
        text.pop_back();
    for (int item = 0; item < StartAddressCount; ++item)
        if (StartAddressCaptions[std::size_t(item)].substr(0, 4) == text)
            return item;
    throw UsageError("--start must be C800, C000, B000, A000 or 9000, not '" + text + "'");
}

int ParseBaud(const std::string& text) {
    if (text == "1200")
        return Baud1200;
    if (text == "2400")
        return Baud2400;
    throw UsageError("--baud must be 1200 or 2400, not '" + text + "'");
}

// The "FileName" edit holds at most six characters (a UTF-8 sequence counts as one).
std::string ParseTapeName(const std::string& text) {
    const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    if (std::size_t(characters) > TapeNameEditLimit)
        throw UsageError("--tape-name holds at most 6 characters, not '" + text + "'");
    return text;
}

// The option's text as given on the command line.
struct ExportTexts {
    std::string format, output, palette, start, tapeName, baud, volume;
    bool compress = false, divideNam = false, oneBank = false, noHeader = false;
};

// Takes one given option into the parsed arguments, in command-line order.
void TakeOption(const std::string& arg, const ExportTexts& t, ExportArgs& parsed) {
    ExportOptions& o = parsed.options;
    if (arg == "--format") {
        parsed.format = ParseFormat(t.format);
    } else if (arg == "-o") {
        parsed.output = t.output;
    } else if (arg == "--palette") {
        parsed.paletteKind = ParsePaletteKindArg(t.palette);
    } else if (arg == "--compress") {
        o.binary.compress = true;
        parsed.binaryOnly.push_back(arg);
    } else if (arg == "--divide-nam") {
        o.binary.divideNameTable = true;
        parsed.binaryOnly.push_back(arg);
    } else if (arg == "--one-bank") {
        o.binary.oneBank = true;
        parsed.binaryOnly.push_back(arg);
    } else if (arg == "--no-header") {
        o.binary.addHeader = false;
        parsed.binaryOnly.push_back(arg);
    } else if (arg == "--start") {
        o.startAddress = ParseStart(t.start);
        parsed.tapeOnly.push_back(arg);
    } else if (arg == "--tape-name") {
        o.tapeName = ParseTapeName(t.tapeName);
        parsed.tapeOnly.push_back(arg);
    } else if (arg == "--baud") {
        o.baudRate = ParseBaud(t.baud);
        parsed.wavOnly.push_back(arg);
    } else if (arg == "--volume") {
        o.wavVolume = ParseInt(t.volume, "--volume", MinWavVolume, MaxWavVolume);
        parsed.wavOnly.push_back(arg);
    }
}

void DescribeOptions(CommandLine& line, ExportArgs& parsed, ExportTexts& t) {
    line.file("FILE", parsed.file, "the 256 x 192 picture to export");
    line.value("--format", t.format, "bin|cas|wav|sc2",
               "table files, CAS image, WAV tape or one SCREEN 2 image");
    line.value("-o", t.output, "PATH", "the name chosen in the save dialog");
    line.value("--palette", t.palette, "KIND", "0..14 or a name (default: the detected palette)");
    line.flag("--compress", t.compress, "bin: merged character sets per bank (default: Normal)");
    line.flag("--divide-nam", t.divideNam, "bin with --compress: one name table per third");
    line.flag("--one-bank", t.oneBank,
              "bin with --compress: one character set for the screen if at most 256");
    line.flag("--no-header", t.noHeader, "bin: leave out the 7-byte BSAVE header");
    line.value("--start", t.start, "C800|C000|B000|A000|9000",
               "cas, wav: load address of the loader (default: C800)");
    line.value("--tape-name", t.tapeName, "NAME",
               "cas, wav: at most 6 characters (default: PATH's file name)");
    line.value("--baud", t.baud, "1200|2400", "wav: tape speed (default: 1200)");
    line.value("--volume", t.volume, "1..127", "wav: loudness (default: 64)");
}

// Options the dialog would have greyed out for this format are refused, not ignored.
void RefuseDisabledOptions(const ExportArgs& a) {
    const int format = *a.format;
    if (format != ExportBinaryData && !a.binaryOnly.empty())
        throw UsageError(a.binaryOnly[0] + " applies only to --format bin");
    if ((format == ExportBinaryData || format == ExportSc2Data) && !a.tapeOnly.empty())
        throw UsageError(a.tapeOnly[0] + " applies only to --format cas or wav");
    if (format != ExportWavData && !a.wavOnly.empty())
        throw UsageError(a.wavOnly[0] + " applies only to --format wav");
    const BinaryExportOptions& b = a.options.binary;
    if ((b.divideNameTable || b.oneBank) && !b.compress)
        throw UsageError(std::string(b.divideNameTable ? "--divide-nam" : "--one-bank") +
                         " needs --compress");
}

// Empty file when --help was printed.
ExportArgs ParseExportArgs(Args args, bool& helpShown) {
    ExportArgs parsed;
    ExportTexts texts;
    CommandLine line("export",
                     "The Export dialog's Export button on FILE: reset, colour check with the "
                     "tables filled, then the files of the chosen format.",
                     Usage, StrayStyle::UnknownOption);
    DescribeOptions(line, parsed, texts);
    helpShown = !line.parse(args);
    if (helpShown)
        return parsed;
    for (const std::string& name : line.givenInOrder())
        TakeOption(name, texts, parsed);
    if (parsed.file.empty() || !parsed.format || parsed.output.empty())
        throw UsageError(Usage);
    parsed.options.dataType = *parsed.format;
    RefuseDisabledOptions(parsed);
    return parsed;
}

int ExitCodeOf(ExportOutcome outcome) {
    switch (outcome) {
    case ExportOutcome::Written:
        return ExitOk;
    case ExportOutcome::Offences:
    case ExportOutcome::DataOverflow:
    case ExportOutcome::BankOver:
        return ExitOffences;
    case ExportOutcome::CheckCanceled:
    case ExportOutcome::NoFileChosen:
    case ExportOutcome::WriteFailed:
        break;
    }
    return ExitBadInput;
}

int RunExport(Args argList) {
    bool helpShown = false;
    const ExportArgs args = ParseExportArgs(argList, helpShown);
    if (helpShown)
        return ExitOk;
    Document doc = LoadPictureOrThrow(args.file);
    if (args.paletteKind)
        doc.PaletteKind = static_cast<PaletteKindId>(*args.paletteKind);
    if (!doc.exportAvailable())
        throw UsageError("only a 256 x 192 picture can be exported; " + args.file + " is " +
                         std::to_string(doc.PictureWidth) + " x " +
                         std::to_string(doc.PictureHeight));

    ExportJobHooks hooks;
    const std::filesystem::path output = args.output;
    hooks.binaryPath = hooks.casPath = hooks.wavPath =
        hooks.sc2Path = [&output] { return std::optional<std::filesystem::path>(output); };
    auto buffer = std::make_unique<ScreenBuffer>();
    const ExportJobResult result =
        RunExportJob(doc.picture, KindNumber(doc.PaletteKind), args.options, doc.errorOverlay,
                     buffer->vramImage(), hooks);
    std::cout << result.messageText;
    if (result.outcome == ExportOutcome::WriteFailed) {
        std::cout.flush();
        throw std::runtime_error(OneLineText(result.boxText));
    }
    if (!result.boxText.empty())
        std::cout << result.boxText << "\n";
    return ExitCodeOf(result.outcome);
}

const Registration registration({
    "export",
    "export FILE.bmp --format bin|cas|wav|sc2 -o PATH [options]  the Export dialog (see README)",
    RunExport,
});

} // namespace
} // namespace murelo::cli
