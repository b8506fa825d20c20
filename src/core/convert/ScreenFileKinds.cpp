#include "core/convert/ScreenFileKinds.h"

#include "core/editor/Picture.h"

#include <array>

namespace murelo {

namespace {

using K = ScreenFileKind;
using D = ScreenDialog;

constexpr SizeRule Width(int width, int maxHeight, int minHeight = 1) {
    return {width, minHeight, maxHeight};
}
constexpr SizeRule Never = {-1, 0, -1};

// clang-format off
constexpr std::array<ScreenFileKindInfo, 15> Infos = {{
    {K::None, "", D::SavePictureDialog1, {Never, Never}, false, false, false, false},
    {K::Screen5, "SCREEN 5 files", D::SaveDialog4, {Width(256, 212), Never}, true, true, true, false},
    // Both fields need a row: a 1-row picture would leave the odd field empty.
    {K::Screen5Interlaced, "interlaced SCREEN 5 files", D::SaveDialog11, {Width(512, 424, 2), Never}, true, true, true, false},
    {K::Screen6, "SCREEN 6 files", D::SaveDialog6, {Width(512, 424), Never}, true, true, true, false},
    {K::Screen6Interlaced, "interlaced SCREEN 6 files", D::SaveDialog9, {Width(512, 424, 2), Never}, true, true, true, false},
    {K::Screen7, "SCREEN 7 files", D::SaveDialog3, {Width(512, 424), Never}, true, true, true, false},
    {K::Screen7Interlaced, "interlaced SCREEN 7 files", D::SaveDialog8, {Width(512, 424, 2), Never}, true, true, true, false},
    {K::Screen8, "SCREEN 8 files", D::SaveDialog2, {Width(256, 212), Never}, true, false, false, true},
    {K::Screen10, "SCREEN 10/11 files", D::SaveDialog7, {Width(256, 212), Never}, true, false, false, true},
    {K::Screen10WithPalette, "SCREEN 10/11 files", D::SaveDialog7, {Width(256, 212), Never}, true, false, true, true},
    {K::Screen12, "SCREEN 12 files", D::SaveDialog1, {Width(256, 212), Never}, true, false, false, true},
    {K::Screen3, "SCREEN 3 files", D::SaveDialog5, {Width(256, 192, 192), Never}, true, false, false, false},
    {K::ColorPlanes, "PC-8801 colour planes", D::SaveDialog10, {Width(640, MaxPictureSize), Never}, false, false, false, false},
    {K::Pc6001Bitmap, "the PC-6x01 bitmap", D::SavePictureDialog1, {Width(256, 192, 192), Width(320, 200, 200)}, false, false, false, false},
    {K::Pc6001BitmapTall, "the PC-6x01 bitmap", D::SavePictureDialog1, {Width(640, 400, 400), Never}, false, false, false, false},
}};

// The table is read by kind: every row stands at its kind's place.
constexpr bool RowsInOrder() {
    for (std::size_t i = 0; i < Infos.size(); ++i)
        if (int(Infos[i].kind) != int(i))
            return false;
    return true;
}
static_assert(RowsInOrder(), "the file kinds must be listed in the order of their enum");
// clang-format on

constexpr std::array<std::string_view, CompanionKindCount> Suffixes = {
    "_SC5.bmp", "_SC6.bmp", "_SC7.bmp", "_SC8.bmp", "_S10.bmp", "_S12.bmp", "_P6.bmp"};

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

} // namespace

const ScreenFileKindInfo& InfoOf(ScreenFileKind kind) {
    return Infos.at(std::size_t(kind));
}

bool IsPc6001Bitmap(ScreenFileKind kind) {
    return kind == K::Pc6001Bitmap || kind == K::Pc6001BitmapTall;
}

bool FilesFit(ScreenFileKind kind, int width, int height) {
    for (const SizeRule& rule : InfoOf(kind).sizes)
        if (rule.fits(width, height))
            return true;
    return false;
}

std::string SizeRefusal(ScreenFileKind kind, int width, int height) {
    if (FilesFit(kind, width, height))
        return {};
    const ScreenFileKindInfo& info = InfoOf(kind);
    const SizeRule& rule = info.sizes[0];
    return std::string(info.files) + " need a picture " + std::to_string(rule.width) +
           " wide and " + HeightText(rule) + "; this one is " + SizeText(width, height);
}

std::string_view CompanionSuffix(CompanionKind kind) {
    return kind == CompanionKind::None ? std::string_view() : Suffixes[std::size_t(kind)];
}

bool CompanionIsIndexed(CompanionKind kind) {
    return kind == CompanionKind::Sc5 || kind == CompanionKind::Sc6 || kind == CompanionKind::Sc7;
}

} // namespace murelo
