#include "core/convert/ScreenExportChecks.h"

#include <vector>

namespace murelo {

namespace {

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

std::vector<const ModeDescriptor*> ModesWith(ConverterPage page, bool withFiles) {
    std::vector<const ModeDescriptor*> modes;
    for (const ModeDescriptor& d : ModesOf(page))
        if ((d.files != ScreenFileKind::None) == withFiles)
            modes.push_back(&d);
    return modes;
}

// The words of a caption before its last one ("Pixel Aspect Ratio 4:4": "Pixel Aspect Ratio").
std::string_view Stem(std::string_view caption) {
    const std::size_t space = caption.rfind(' ');
    return space == std::string_view::npos ? std::string_view() : caption.substr(0, space);
}

// A page with one exporting mode names it; otherwise the modes without files are named,
// their common words once ("Pixel Aspect Ratio 4:4 and 4:6 have no export").
std::string NoFilesRefusal(ConverterPage page) {
    const std::vector<const ModeDescriptor*> exporting = ModesWith(page, true);
    if (exporting.size() == 1)
        return "the " + std::string(Describe(page).caption) + " page exports only " +
               std::string(exporting.front()->caption);
    const std::vector<const ModeDescriptor*> silent = ModesWith(page, false);
    const std::string_view stem = Stem(silent.front()->caption);
    bool shared = !stem.empty();
    for (const ModeDescriptor* d : silent)
        shared = shared && Stem(d->caption) == stem;
    std::vector<std::string> names;
    for (const ModeDescriptor* d : silent)
        names.push_back(std::string(shared && !names.empty() ? d->caption.substr(stem.size() + 1)
                                                             : d->caption));
    return Listed(names) + " have no export";
}

std::string SizesText(const ScreenFileKindInfo& info) {
    std::vector<std::string> sizes;
    for (const SizeRule& rule : info.sizes)
        if (rule.width > 0)
            sizes.push_back(SizeText(rule.width, rule.maxHeight));
    std::string text;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        text += (i > 0 ? " or " : "") + sizes[i];
    return text;
}

// The PC-6x01 bitmap's sizes depend on the mode: every size with the modes that take it.
std::string BitmapRefusal(ModeId mode, int width, int height) {
    const ConverterPage page = Describe(mode).page;
    std::vector<std::string> groups;
    for (const ScreenFileKind kind :
         {ScreenFileKind::Pc6001Bitmap, ScreenFileKind::Pc6001BitmapTall}) {
        std::vector<std::string> indices;
        for (const ModeDescriptor& d : ModesOf(page))
            if (d.files == kind)
                indices.push_back(std::to_string(IndexInPage(d.id)));
        if (!indices.empty())
            groups.push_back(SizesText(InfoOf(kind)) +
                             (indices.size() > 1 ? " in modes " : " in mode ") + Listed(indices));
    }
    std::string text = "the " + std::string(Describe(page).caption) + " export needs ";
    for (std::size_t i = 0; i < groups.size(); ++i)
        text += (i > 0 ? ", or " : "") + groups[i];
    return text + "; this is " + SizeText(width, height) + " in mode " +
           std::to_string(IndexInPage(mode));
}

// Pages whose Export is itself a bitmap have no "Save" of their own: Save is that Export.
bool ExportIsPc6001Bitmap(ConverterPage page) {
    for (const ModeDescriptor& d : ModesOf(page))
        if (IsPc6001Bitmap(d.files))
            return true;
    return false;
}

std::string NotFinished(const ConversionState& state) {
    return state.complete ? std::string() : "the conversion has not finished";
}

std::string BitmapPages() {
    std::vector<std::string> pages;
    for (const PageDescriptor& p : AllPages())
        for (const ModeDescriptor& d : ModesOf(p.page))
            if (d.companion != CompanionKind::None) {
                pages.push_back(std::string(p.caption));
                break;
            }
    return "only the " + Listed(pages) + " pages write a bitmap";
}

} // namespace

ScreenFileKind ExportKindOf(const ConversionState& state) {
    return FilesOf(state.mode, state.params.Interlace);
}

std::string ExportRefusal(ModeId mode, bool interlace, int width, int height) {
    const ScreenFileKind kind = FilesOf(mode, interlace);
    if (kind == ScreenFileKind::None)
        return NoFilesRefusal(Describe(mode).page);
    if (FilesFit(kind, width, height))
        return {};
    if (IsPc6001Bitmap(kind))
        return BitmapRefusal(mode, width, height);
    return SizeRefusal(kind, width, height);
}

std::string SaveRefusal(ModeId mode, int width, int height) {
    const ModeDescriptor& d = Describe(mode);
    if (ExportIsPc6001Bitmap(d.page))
        return ExportRefusal(mode, false, width, height);
    if (d.companion == CompanionKind::None)
        return BitmapPages();
    return {};
}

std::string ExportRefusal(const ConversionState& state) {
    if (!state.complete)
        return NotFinished(state);
    return ExportRefusal(state.mode, state.params.Interlace, state.result.width(),
                         state.result.height());
}

std::string SaveRefusal(const ConversionState& state) {
    if (std::string refusal = SaveRefusal(state.mode, state.result.width(), state.result.height());
        !refusal.empty())
        return refusal;
    return NotFinished(state);
}

} // namespace murelo
