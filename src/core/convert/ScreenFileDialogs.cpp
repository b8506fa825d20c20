#include "core/convert/ScreenFileDialogs.h"

#include <array>

namespace murelo {

namespace {

constexpr std::array<DialogFilter, 2> Screen12Filters = {{
    {"SCREEN 12 IMAGE (*.S12)", "*.S12"},
    {"SCREEN 12 IMAGE (*.SCC)", "*.SCC"},
}};
constexpr std::array<DialogFilter, 1> Screen8Filters = {{{"SCREEN 8 IMAGE (*.SC8)", "*.SC8"}}};
constexpr std::array<DialogFilter, 1> Screen7Filters = {{{"SCREEN 7 IMAGE (*.SC7)", "*.SC7"}}};
constexpr std::array<DialogFilter, 1> Screen5Filters = {{{"SCREEN 5 IMAGE (*.SC5)", "*.SC5"}}};
constexpr std::array<DialogFilter, 1> Screen3Filters = {{{"SCREEN 3 IMAGE (*.SC3)", "*.SC3"}}};
constexpr std::array<DialogFilter, 1> Screen6Filters = {{{"SCREEN 6 IMAGE (*.SC6)", "*.SC6"}}};
constexpr std::array<DialogFilter, 2> Screen10Filters = {{
    {"SCREEN 10 IMAGE (*.S10)", "*.S10"},
    {"SCREEN 10 IMAGE (*.SCA)", "*.SCA"},
}};
constexpr std::array<DialogFilter, 1> Interlace7Filters = {
    {{"Interlace SCREEN 7 IMAGE (*.S07)", "*.S07"}}};
constexpr std::array<DialogFilter, 1> Interlace6Filters = {
    {{"Interlace SCREEN 6 IMAGE (*.S06)", "*.S06"}}};
constexpr std::array<DialogFilter, 1> PlaneFilters = {{{"Color Plane Data", "*.R;*.G;*.B"}}};
constexpr std::array<DialogFilter, 1> Interlace5Filters = {
    {{"Interlace SCREEN 5 IMAGE (*.S05)", "*.S05"}}};
constexpr std::array<DialogFilter, 1> BitmapFilters = {{{"BITMAP IMAGE (*.bmp)", "*.bmp"}}};

const std::array<ScreenDialogInfo, ScreenDialogCount> Infos = {{
    {"SaveDialog1", Screen12Filters, "S12"},
    {"SaveDialog2", Screen8Filters, "SC8"},
    {"SaveDialog3", Screen7Filters, "SC7"},
    {"SaveDialog4", Screen5Filters, "SC5"},
    {"SaveDialog5", Screen3Filters, "SC3"},
    {"SaveDialog6", Screen6Filters, "SC6"},
    {"SaveDialog7", Screen10Filters, "S10"},
    {"SaveDialog8", Interlace7Filters, "S07"},
    {"SaveDialog9", Interlace6Filters, "S06"},
    {"SaveDialog10", PlaneFilters, ""},
    {"SaveDialog11", Interlace5Filters, "S05"},
    {"SavePictureDialog1", BitmapFilters, "bmp"},
}};

} // namespace

const ScreenDialogInfo& DialogInfo(ScreenDialog dialog) {
    return Infos.at(std::size_t(dialog));
}

std::string FilterText(const ScreenDialogInfo& info) {
    std::string text;
    for (const DialogFilter& f : info.filters) {
        if (!text.empty())
            text += '|';
        text += std::string(f.description) + "|" + std::string(f.patterns);
    }
    return text;
}

std::string NameFilter(const DialogFilter& filter) {
    if (filter.description.find('(') != std::string_view::npos)
        return std::string(filter.description);
    std::string patterns(filter.patterns);
    for (char& c : patterns)
        if (c == ';')
            c = ' ';
    return std::string(filter.description) + " (" + patterns + ")";
}

} // namespace murelo
