#include "core/convert/ScreenExportChecks.h"

#include <array>

namespace murelo {

namespace {

struct SizeRule {
    const char* files; // what the refusal calls the kind's files
    int width;
    int minHeight;
    int maxHeight;
};

SizeRule SizeRuleOf(ExportKind kind) {
    switch (kind) {
    case ExportKind::Screen5:
        return {"SCREEN 5 files", 256, 1, 212};
    case ExportKind::Screen5Interlaced:
        // Both fields need a row: a 1-row picture would leave the odd field empty.
        return {"interlaced SCREEN 5 files", 512, 2, 424};
    case ExportKind::Screen6:
        return {"SCREEN 6 files", 512, 1, 424};
    case ExportKind::Screen6Interlaced:
        return {"interlaced SCREEN 6 files", 512, 2, 424};
    case ExportKind::Screen7:
        return {"SCREEN 7 files", 512, 1, 424};
    case ExportKind::Screen7Interlaced:
        return {"interlaced SCREEN 7 files", 512, 2, 424};
    case ExportKind::Screen8:
        return {"SCREEN 8 files", 256, 1, 212};
    case ExportKind::Screen10:
        return {"SCREEN 10/11 files", 256, 1, 212};
    case ExportKind::Screen12:
        return {"SCREEN 12 files", 256, 1, 212};
    case ExportKind::Screen3:
        return {"SCREEN 3 files", 256, 192, 192};
    case ExportKind::ColorPlanes:
        return {"PC-8801 colour planes", 640, 1, MaxPictureSize};
    default:
        return {"", 0, 0, 0};
    }
}

bool Pc6001Fits(int width, int height, int mode) {
    const bool small = (width == 256 && height == 192) || (width == 320 && height == 200);
    const bool smallMode = mode == 0 || mode == 1 || mode == 5 || mode == 6;
    return (small && smallMode) || (width == 640 && height == 400 && mode == 2);
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string HeightText(const SizeRule& rule) {
    if (rule.minHeight == rule.maxHeight)
        return std::to_string(rule.maxHeight) + " high";
    if (rule.maxHeight == MaxPictureSize)
        return "any height";
    return std::to_string(rule.minHeight) + " to " + std::to_string(rule.maxHeight) + " high";
}

std::string NotFinished(const ConversionState& state) {
    return state.complete ? std::string() : "the conversion has not finished";
}

} // namespace

ExportKind ExportKindOf(ConverterPage page, int mode, bool interlace) {
    switch (page) {
    case ConverterPage::Tms9918:
        return mode == 1 ? ExportKind::Screen3 : ExportKind::None;
    case ConverterPage::V9938:
        if (mode == 0)
            return interlace ? ExportKind::Screen5Interlaced : ExportKind::Screen5;
        if (mode == 1)
            return interlace ? ExportKind::Screen6Interlaced : ExportKind::Screen6;
        if (mode == 2)
            return interlace ? ExportKind::Screen7Interlaced : ExportKind::Screen7;
        return ExportKind::Screen8;
    case ConverterPage::V9958:
        return mode == 0 ? ExportKind::Screen10 : ExportKind::Screen12;
    case ConverterPage::Pc6001:
        return mode == 3 || mode == 4 ? ExportKind::None : ExportKind::Pc6001Bitmap;
    case ConverterPage::Pc8801:
        return ExportKind::ColorPlanes;
    }
    return ExportKind::None;
}

ExportKind ExportKindOf(const ConversionState& state) {
    return ExportKindOf(state.page, state.ConversionMode, state.params.Interlace);
}

ScreenDialog ExportDialogOf(ExportKind kind) {
    switch (kind) {
    case ExportKind::Screen5:
        return ScreenDialog::SaveDialog4;
    case ExportKind::Screen5Interlaced:
        return ScreenDialog::SaveDialog11;
    case ExportKind::Screen6:
        return ScreenDialog::SaveDialog6;
    case ExportKind::Screen6Interlaced:
        return ScreenDialog::SaveDialog9;
    case ExportKind::Screen7:
        return ScreenDialog::SaveDialog3;
    case ExportKind::Screen7Interlaced:
        return ScreenDialog::SaveDialog8;
    case ExportKind::Screen8:
        return ScreenDialog::SaveDialog2;
    case ExportKind::Screen10:
        return ScreenDialog::SaveDialog7;
    case ExportKind::Screen12:
        return ScreenDialog::SaveDialog1;
    case ExportKind::Screen3:
        return ScreenDialog::SaveDialog5;
    case ExportKind::ColorPlanes:
        return ScreenDialog::SaveDialog10;
    default:
        return ScreenDialog::SavePictureDialog1;
    }
}

bool ExportFits(ExportKind kind, int width, int height, int mode) {
    if (kind == ExportKind::None)
        return false;
    if (kind == ExportKind::Pc6001Bitmap)
        return Pc6001Fits(width, height, mode);
    const SizeRule rule = SizeRuleOf(kind);
    return width == rule.width && height >= rule.minHeight && height <= rule.maxHeight;
}

std::string ExportRefusal(ConverterPage page, int mode, bool interlace, int width, int height) {
    const ExportKind kind = ExportKindOf(page, mode, interlace);
    if (kind == ExportKind::None)
        return page == ConverterPage::Tms9918
                   ? "the TMS9918 page exports only Multi Color Mode (SCREEN 3)"
                   : "Pixel Aspect Ratio 4:4 and 4:6 have no export";
    if (ExportFits(kind, width, height, mode))
        return {};
    if (kind == ExportKind::Pc6001Bitmap)
        return "the PC-6x01 export needs 256 x 192 or 320 x 200 in modes 0, 1, 5 and 6, or "
               "640 x 400 in mode 2; this is " +
               SizeText(width, height) + " in mode " + std::to_string(mode);
    const SizeRule rule = SizeRuleOf(kind);
    return std::string(rule.files) + " need a picture " + std::to_string(rule.width) +
           " wide and " + HeightText(rule) + "; this one is " + SizeText(width, height);
}

std::string SaveRefusal(ConverterPage page, int mode, int width, int height) {
    if (page == ConverterPage::Pc6001)
        return ExportRefusal(page, mode, false, width, height);
    if (page != ConverterPage::V9938 && page != ConverterPage::V9958)
        return "only the V9938, V9958 and PC-6x01 pages write a bitmap";
    return {};
}

std::string ExportRefusal(const ConversionState& state) {
    if (!state.complete)
        return NotFinished(state);
    return ExportRefusal(state.page, state.ConversionMode, state.params.Interlace,
                         state.result.width(), state.result.height());
}

std::string SaveRefusal(const ConversionState& state) {
    if (std::string refusal = SaveRefusal(state.page, state.ConversionMode, state.result.width(),
                                          state.result.height());
        !refusal.empty())
        return refusal;
    return NotFinished(state);
}

} // namespace murelo
