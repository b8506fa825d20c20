// convert's options: the parameters come from the converter's own table, so the help shows
// the real defaults and which pages read each one.
#include "ConvertOptions.h"

#include "CommandLine.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <thread>

namespace murelo::cli {
namespace {

constexpr const char* Usage =
    "usage: convert FILE... --page tms9918|v9938|v9958|pc6001|pc8801 --mode N|CAPTION "
    "-o RESULT.bmp|-O DIR [options] (-o may give way to --export PATH [--connect-palette] and "
    "--save PATH; convert --list-modes lists the modes)";

// A drawing colour: a palette index of the kind, #RRGGBB, or (where allowed) none.
struct ColorArg {
    std::string text;
    bool given = false;
};

ColorValue ParseColor(const std::string& text, std::string_view what, int kind, bool noneAllowed) {
    if (noneAllowed && text == "none")
        return NoColor;
    if (text.size() == 7 && text[0] == '#') {
        std::uint32_t rrggbb = 0;
        auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, rrggbb, 16);
        if (ec == std::errc() && end == text.data() + 7)
            return FromRrggbb(rrggbb);
    }
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
        return PaletteColor(kind, ParseInt(text, what, 0, PaletteEntries - 1));
    throw UsageError(std::string(what) + " must be a palette index 0..15, #RRGGBB" +
                     (noneAllowed ? " or none" : "") + ", not '" + text + "'");
}

// The pages whose modes read a parameter: "tms9918, pc6001 and pc8801".
std::string PagesReading(Parameter parameter) {
    std::vector<std::string> pages;
    for (const PageDescriptor& page : AllPages()) {
        const auto modes = ModesOf(page.page);
        if (std::any_of(modes.begin(), modes.end(),
                        [&](const ModeDescriptor& d) { return d.reads.contains(parameter); }))
            pages.push_back(std::string(page.name));
    }
    std::string text;
    for (std::size_t i = 0; i < pages.size(); ++i)
        text += (i == 0 ? "" : i + 1 == pages.size() ? " and " : ", ") + pages[i];
    return text;
}

std::string RangeText(const ParameterInfo& info) {
    return std::to_string(info.min) + ".." + std::to_string(info.max);
}

// The help line of a parameter's option, with its default as the parameters start.
std::string HelpOf(const ParameterInfo& info) {
    std::string text(info.help);
    if (info.control == ParameterControl::Bar || info.control == ParameterControl::Choice)
        text += " (default: " + std::to_string(DefaultValue(info.parameter)) + ")";
    return text + "; read on " + PagesReading(info.parameter);
}

// The bar and choice parameters take a value; the boxes are flags.
bool TakesValue(const ParameterInfo& info) {
    return info.control == ParameterControl::Bar || info.control == ParameterControl::Choice;
}

std::vector<const ParameterInfo*> OptionParameters() {
    std::vector<const ParameterInfo*> infos;
    for (int p = 0; p < ParameterCount; ++p) {
        const ParameterInfo& info = InfoOf(Parameter(p));
        if (info.control != ParameterControl::Other)
            infos.push_back(&info);
    }
    return infos;
}

const ParameterInfo* ParameterOfOption(const std::string& option) {
    if (option == "--bg")
        return &InfoOf(Parameter::DrawingColors);
    for (int p = 0; p < ParameterCount; ++p)
        if (InfoOf(Parameter(p)).option == option)
            return &InfoOf(Parameter(p));
    return nullptr;
}

struct Parsed {
    std::map<std::string, std::string> values;
    std::map<std::string, bool> flags;
    std::vector<std::string> order;
    std::string page, mode, jobs, format;
    ColorArg fg, bg;
    int kind = -1;
};

void TakeParameter(const ParameterInfo& info, const std::string& text, ConversionParameters& p) {
    if (!TakesValue(info)) {
        // "9918 Rules" is on by default: its option turns it off.
        SetParameterValue(p, info.parameter, info.parameter == Parameter::Rules9918 ? 0 : 1);
        return;
    }
    SetParameterValue(p, info.parameter, ParseInt(text, info.option, info.min, info.max));
}

ConverterPage PageOf(const std::string& name) {
    if (const auto page = FindPage(name))
        return *page;
    throw UsageError("unknown page '" + name + "' (use tms9918, v9938, v9958, pc6001 or pc8801)");
}

ModeId ModeOf(ConverterPage page, const std::string& text) {
    const auto modes = ModesOf(page);
    const std::string name(Describe(page).name);
    if (const auto mode = FindMode(page, text))
        return *mode;
    const bool number = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
    if (number)
        throw UsageError("--mode must be from 0 to " + std::to_string(modes.size() - 1) +
                         " on page " + name);
    throw UsageError("--mode '" + text + "' is no mode of page " + name +
                     " (convert --list-modes lists them)");
}

// One warning line for every given option that the mode does not read: the result is what
// it would be without it.
std::vector<std::string> Warnings(const std::vector<std::string>& given, ModeId mode) {
    std::vector<std::string> lines;
    for (const std::string& option : given) {
        const ParameterInfo* info = ParameterOfOption(option);
        if (!info || Reads(mode, info->parameter))
            continue;
        const std::string line = "warning: " + option + " is not read by " +
                                 std::string(Describe(Describe(mode).page).name) + " mode " +
                                 std::to_string(IndexInPage(mode)) + " (" +
                                 std::string(Describe(mode).caption) + ")";
        if (std::find(lines.begin(), lines.end(), line) == lines.end())
            lines.push_back(line);
    }
    return lines;
}

int DefaultJobs() {
    return std::max(1, int(std::thread::hardware_concurrency()));
}

void Declare(CommandLine& line, ConvertOptions& o, Parsed& p) {
    line.files("FILE", o.files, "the pictures to convert (several with -O)");
    line.value("--page", p.page, "tms9918|v9938|v9958|pc6001|pc8801", "the converter page");
    line.value("--mode", p.mode, "N|CAPTION",
               "the page's mode: its index from 0 or its caption (see --list-modes)");
    line.value("-o", o.out, "RESULT.bmp", "the converted picture (one FILE)");
    line.value("-O", o.outDir, "DIR", "one result per FILE in DIR, named after it");
    line.value("--format", p.format, "bmp|png",
               "what a result is written as: a 24-bit bitmap or a PNG (default: bmp)");
    line.value("--jobs", p.jobs, "N",
               "with -O: pictures converted at once (default: the number of cores, here " +
                   std::to_string(DefaultJobs()) + ")");
    line.flag("--list-modes", o.listModes, "prints every mode: PAGE INDEX CAPTION");
    std::string kindText;
    line.value("--palette", p.values["--palette"], "KIND",
               "0..14 or a name (default: the page's first kind); read on " +
                   PagesReading(Parameter::Palette));
    line.value("--fg", p.fg.text, "0..15|#RRGGBB",
               "drawing colour of the half tone (default: index 1); read on " +
                   PagesReading(Parameter::DrawingColors));
    line.value("--bg", p.bg.text, "0..15|#RRGGBB|none",
               "background of the half tone (default: index 15)");
    for (const ParameterInfo* info : OptionParameters()) {
        const std::string option(info->option);
        if (TakesValue(*info))
            line.value(option, p.values[option], RangeText(*info), HelpOf(*info));
        else
            line.flag(option, p.flags[option], HelpOf(*info));
    }
    line.value("--screen-bytes", o.screenBytes, "OUT.bin",
               "SCREEN 8 or V9958 modes: the screen bytes");
    line.value("--quantizer-palette", o.quantizerPalette, "OUT.bin",
               "V9938 modes 0..2, PC-8801 analog: the palette");
    line.optionalValue("--export", o.screenFiles.exportPath, "PATH",
                       "the page's Export button: its screen files under PATH (with -O: "
                       "no PATH, each named after its FILE)");
    line.optionalValue("--save", o.screenFiles.savePath, "PATH",
                       "the page's Save button: its bitmap as PATH (with -O: no PATH)");
    line.flag("--connect-palette", o.screenFiles.connectPalette,
              "with --export on v9938 modes 0..2: the palette in the screen file");
}

void CheckOutputs(ConvertOptions& o, const CommandLine& line) {
    const bool exportEach = line.given("--export") && o.screenFiles.exportPath.empty();
    const bool saveEach = line.given("--save") && o.screenFiles.savePath.empty();
    if (o.batch()) {
        if (!o.out.empty() || !o.screenBytes.empty() || !o.quantizerPalette.empty())
            throw UsageError("-O writes one result per picture: leave out -o, --screen-bytes "
                             "and --quantizer-palette");
        if (!o.screenFiles.exportPath.empty() || !o.screenFiles.savePath.empty())
            throw UsageError("with -O, --export and --save take no PATH: the files are named "
                             "after each picture");
        o.screenFiles.exportEach = exportEach;
        o.screenFiles.saveEach = saveEach;
        return;
    }
    if (exportEach || saveEach)
        throw UsageError(std::string(exportEach ? "--export" : "--save") +
                         " needs a PATH (or -O DIR for several pictures)");
    if (o.files.size() > 1)
        throw UsageError("unexpected '" + o.files[1] + "' (" + Usage +
                         "): several pictures need -O DIR");
    if (o.files.empty() || (o.out.empty() && !o.screenFiles.any()))
        throw UsageError(Usage);
}

} // namespace

void DefaultDrawingColors(ConversionParameters& params) {
    const IndexRange& range = PaletteRange(params.PaletteKind);
    int fg = 1;
    int bg = 15;
    if (fg > range.last)
        fg = range.last;
    if (bg > range.last)
        bg = range.first;
    params.ForegroundColor = PaletteColor(params.PaletteKind, fg);
    params.BackgroundColor = PaletteColor(params.PaletteKind, bg);
}

ConvertOptions ParseConvertOptions(Args args) {
    ConvertOptions o;
    Parsed p;
    CommandLine line("convert",
                     "Runs Pixel Converter modes to their end on pictures and writes the results.",
                     Usage, StrayStyle::Unexpected);
    Declare(line, o, p);
    o.helpShown = !line.parse(args);
    if (o.helpShown || o.listModes)
        return o;
    std::vector<std::string> given;
    for (const std::string& name : line.givenInOrder()) {
        given.push_back(name);
        const ParameterInfo* info = ParameterOfOption(name);
        if (info && info->control != ParameterControl::Other)
            TakeParameter(*info, TakesValue(*info) ? p.values[name] : "", o.params);
        else if (name == "--palette")
            p.kind = ParsePaletteKindArg(p.values[name]);
        else if (name == "--fg")
            p.fg.given = true;
        else if (name == "--bg")
            p.bg.given = true;
    }
    CheckOutputs(o, line);
    if (p.page.empty() || p.mode.empty())
        throw UsageError(Usage);
    const ConverterPage page = PageOf(p.page);
    o.mode = ModeOf(page, p.mode);
    if (!p.format.empty()) {
        if (p.format != "bmp" && p.format != "png")
            throw UsageError("--format must be bmp or png, not '" + p.format + "'");
        o.format = p.format == "png" ? ResultFormat::Png : ResultFormat::Bitmap;
    }
    o.jobs = p.jobs.empty() ? DefaultJobs() : ParseInt(p.jobs, "--jobs", 1, 256);
    o.params.PaletteKind = p.kind >= 0 ? p.kind : KindNumber(Describe(page).kind);
    DefaultDrawingColors(o.params);
    if (p.fg.given)
        o.params.ForegroundColor = ParseColor(p.fg.text, "--fg", o.params.PaletteKind, false);
    if (p.bg.given)
        o.params.BackgroundColor = ParseColor(p.bg.text, "--bg", o.params.PaletteKind, true);
    o.warnings = Warnings(given, o.mode);
    return o;
}

} // namespace murelo::cli
