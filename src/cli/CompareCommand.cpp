// compare: how a converted picture keeps the two-colour rule and how close it looks to its
// source.
#include "Command.h"
#include "CommandLine.h"
#include "PictureFileLoading.h"

#include "core/convert/CharacterCount.h"
#include "core/convert/PerceptualError.h"
#include "core/editor/ColorCheck.h"

#include <cstdio>
#include <iostream>
#include <optional>

namespace murelo::cli {
namespace {

constexpr const char* Usage = "usage: compare SOURCE.bmp RESULT.bmp [--palette KIND]";

struct CompareArgs {
    std::string source;
    std::string result;
    std::optional<int> paletteKind;
};

// Empty result when --help was printed.
CompareArgs ParseCompareArgs(Args args, bool& helpShown) {
    CompareArgs parsed;
    std::string kindText;
    CommandLine line("compare",
                     "How RESULT keeps the two-colour rule and how close it looks to SOURCE: "
                     "rule offences, blurred CIEDE2000 and SSIM.",
                     Usage, StrayStyle::TwoPictures);
    line.file("SOURCE", parsed.source, "the picture before conversion");
    line.file("RESULT", parsed.result, "the converted picture, of the same size");
    const CLI::Option* palette = line.value("--palette", kindText, "KIND",
                                            "0..14 or a name (default: the kind RESULT is in)");
    helpShown = !line.parse(args);
    if (helpShown)
        return parsed;
    if (line.given(palette))
        parsed.paletteKind = ParsePaletteKindArg(kindText);
    if (parsed.result.empty())
        throw UsageError(Usage);
    return parsed;
}

std::string Fixed(double value, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

int RunCompare(Args argList) {
    bool helpShown = false;
    const CompareArgs args = ParseCompareArgs(argList, helpShown);
    if (helpShown)
        return ExitOk;
    const Document source = LoadPictureOrThrow(args.source);
    const Document result = LoadPictureOrThrow(args.result);
    if (source.picture.width() != result.picture.width() ||
        source.picture.height() != result.picture.height())
        throw UsageError("the pictures differ in size: " + std::to_string(source.picture.width()) +
                         " x " + std::to_string(source.picture.height()) + " and " +
                         std::to_string(result.picture.width()) + " x " +
                         std::to_string(result.picture.height()));
    // The result is checked in the kind its colours were found to be in, as Open does.
    const int kind = args.paletteKind.value_or(KindNumber(result.PaletteKind));
    Picture overlay;
    const ColorCheckResult check = ColorCheck(result.picture, kind, false, overlay, {});
    const PerceptualScore score = ComparePictures(source.picture, result.picture);
    std::cout << "offences: " << check.errors << "\n"
              << "delta E: " << Fixed(score.meanDeltaE, "%.2f") << "\n"
              << "SSIM: " << Fixed(score.ssim, "%.4f") << "\n";
    // What a one-bank export of the result would count: only a screen has the tables.
    if (result.exportAvailable())
        std::cout << "characters: " << CountCharacters(result.picture) << "\n";
    std::cout.flush();
    return check.errors == 0 ? ExitOk : ExitOffences;
}

const Registration registration({
    "compare",
    "compare SOURCE.bmp RESULT.bmp [--palette KIND]  rule offences and perceptual error "
    "(blurred CIEDE2000, SSIM)",
    RunCompare,
});

} // namespace
} // namespace murelo::cli
