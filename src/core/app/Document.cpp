#include "core/app/Document.h"

#include "core/palette/Palettes.h"

namespace murelo {

void NewDocument(Document& doc, int width, int height, ColorValue fillColor, bool resetQuickSlot) {
    doc.PictureWidth = width;
    doc.PictureHeight = height;

    doc.picture = Picture(width, height, fillColor);
    doc.errorOverlay = Picture(width, height, OverlayBackground);
    doc.scratch = Picture(width, height, fillColor);
    if (resetQuickSlot)
        doc.quickSlot = doc.picture;

    doc.ErrorsShown = false;
    doc.FileName.clear();
    doc.Modified = false;
    doc.SaveDepth = PixelFormat::Bits4;
}

std::string WindowTitle(const Document& doc) {
    if (doc.Modified)
        return std::string(VersionString) + " : *" + doc.FileName;
    if (doc.FileName.empty())
        return VersionString;
    return std::string(VersionString) + " : " + doc.FileName;
}

CellPixels ReadCell(const Picture& picture, int x, int y) {
    CellPixels cell{};
    for (int dy = 0; dy < 8; ++dy)
        for (int dx = 0; dx < 8; ++dx)
            cell[dy * 8 + dx] = picture.pixel(x + dx, y + dy);
    return cell;
}

PaletteKindId DetectPalette(const Picture& picture) {
    int best = 0;
    std::uint16_t bestMask = 0;
    for (int kind = 0; kind <= 7; ++kind) {
        std::uint16_t mask = 0;
        bool complete = true;
        for (ColorValue c : picture.pixels()) {
            const int i = PaletteIndexOf(c, kind);
            if (i < 0) {
                complete = false;
                break;
            }
            mask = static_cast<std::uint16_t>(mask | (1u << i));
        }
        if (mask > bestMask) {
            best = kind;
            bestMask = mask;
        }
        if (complete)
            return static_cast<PaletteKindId>(kind);
    }
    return static_cast<PaletteKindId>(best);
}

bool RecolorPicture(Picture& picture, PaletteKindId oldKind, PaletteKindId newKind) {
    if (!IsChipPalette(newKind) || !IsChipPalette(oldKind) || newKind == oldKind)
        return false;
    bool changed = false;
    for (ColorValue& c : picture.pixels()) {
        const int i = PaletteIndexOf(c, oldKind);
        if (i < 0)
            continue;
        const ColorValue mapped = PaletteColor(newKind, i);
        changed |= mapped != c;
        c = mapped;
    }
    return changed;
}

void MirrorPicture(Document& doc) {
    doc.scratch = doc.picture;
    const int w = doc.picture.width();
    for (int y = 0; y < doc.picture.height(); ++y) {
        const ColorValue* src = doc.scratch.row(y);
        ColorValue* dst = doc.picture.row(y);
        for (int x = 0; x < w; ++x)
            dst[x] = src[w - 1 - x];
    }
    // Mirroring changes the pixels, so it must not be lost without the exit question.
    doc.Modified = true;
}

} // namespace murelo
