#include "core/editor/ColorCheck.h"

#include "core/editor/LineEncoding.h"
#include "core/editor/ScreenBuffer.h"
#include "core/palette/Palettes.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace murelo {
namespace {

constexpr std::size_t ColorTableOffset = 0x2000;
constexpr int TableWidth = 256;
constexpr int TableHeight = 192;

// A palette index the editor may use, or -1: the filler entries of the short palettes match
// some pixels but no chip colour stands behind them.
int UsableIndexOf(ColorValue color, int kind) {
    const int index = PaletteIndexOf(color, kind);
    const IndexRange& range = PaletteRange(kind);
    return index >= range.first && index <= range.last ? index : -1;
}

class Checker {
  public:
    Checker(const Picture& picture, int kind, Picture& overlay, std::uint8_t* tables)
        : picture_(picture), kind_(kind), overlay_(overlay), tables_(tables) {}

    void checkRun(int x0, int y);
    void finish(bool canceled);
    ColorCheckResult& result() { return result_; }

  private:
    void colorOffence(int x, int y);
    void runOffence(int x0, int x, int y);
    void count(const char* format, int x, int y);
    void append(std::string_view text) { result_.messageText += text; }

    const Picture& picture_;
    int kind_;
    Picture& overlay_;
    std::uint8_t* tables_; // null when the tables are not filled
    std::uint16_t tableIndex_ = 0;
    ColorCheckResult result_;
};

void Checker::checkRun(int x0, int y) {
    const ColorValue* run = picture_.row(y) + x0;
    const ColorValue c0 = run[0];
    const int f = UsableIndexOf(c0, kind_);
    if (f < 0)
        colorOffence(x0, y);
    ColorValue a = c0, b = c0;
    int bIndex = f;
    const auto fg = std::uint8_t(f);
    std::uint8_t bg = 0;
    std::uint8_t bits = 0x80;
    for (int p = 1; p < 8; ++p) {
        const ColorValue c = run[p];
        bool thirdColour = false;
        if (a == b) {
            if (c != a) {
                b = c;
                bIndex = UsableIndexOf(c, kind_);
            }
        } else if (c != a && c != b) {
            runOffence(x0, x0 + p, y);
            thirdColour = true;
        }
        // a and b never change once set, so their indices are known without a lookup.
        const int idx = c == a ? f : c == b ? bIndex : UsableIndexOf(c, kind_);
        if (idx < 0)
            colorOffence(x0 + p, y);
        if (c == a)
            bits |= std::uint8_t(0x80 >> p);
        else
            bg = std::uint8_t(idx);
        if (thirdColour)
            break;
    }
    if (tables_) {
        const LineBytes bytes = EncodeLineBytes(fg, bg, bits);
        tables_[tableIndex_] = bytes.pattern;
        tables_[ColorTableOffset + tableIndex_] = bytes.color;
        ++tableIndex_;
    }
}

void Checker::count(const char* format, int x, int y) {
    if (result_.errors < ListedOffenceLimit) {
        char line[48];
        std::snprintf(line, sizeof line, format, x, y);
        append(line);
    }
    ++result_.errors;
    result_.errorsShown = true;
}

void Checker::colorOffence(int x, int y) {
    count("Color: ( %3d, %3d )\n", x, y);
    overlay_.setPixel(x, y, CheckOverlayMark);
}

void Checker::runOffence(int x0, int x, int y) {
    count("Line : ( %3d, %3d )\n", x, y);
    std::fill(overlay_.row(y) + x0, overlay_.row(y) + x0 + 8, CheckOverlayMark);
}

void Checker::finish(bool canceled) {
    if (result_.errors > ListedOffenceLimit) {
        append("\n");
        append("An error is displayed to 20.");
    }
    append("\n");
    if (canceled) {
        append("Color Check was Canceled..");
        append("\n");
    }
    append("Error Total: " + std::to_string(result_.errors) + "\n");
    result_.result = canceled ? ColorCheckCanceled : result_.errors;
}

void PrepareOverlay(Picture& overlay, const Picture& picture) {
    if (overlay.width() == picture.width() && overlay.height() == picture.height())
        overlay.fill(CheckOverlayBackground);
    else
        overlay = Picture(picture.width(), picture.height(), CheckOverlayBackground);
}

std::uint8_t* TablesToFill(const Picture& picture, bool fillTables,
                           std::span<std::uint8_t> vramImage) {
    if (!fillTables || picture.width() != TableWidth || picture.height() != TableHeight)
        return nullptr;
    if (vramImage.size() < VramImageSize)
        throw std::invalid_argument("the video-memory image is too small for the tables");
    return vramImage.data();
}

} // namespace

ColorCheckResult ColorCheck(const Picture& picture, int paletteKind, bool fillTables,
                            Picture& overlay, std::span<std::uint8_t> vramImage,
                            const ColorCheckHooks& hooks) {
    PrepareOverlay(overlay, picture);
    Checker checker(picture, paletteKind, overlay, TablesToFill(picture, fillTables, vramImage));
    checker.result().messageText = "Error(s):\n";
    checker.result().messageText += "\n";

    const int cols = picture.width() / 8;
    const int rows = (picture.height() + 7) / 8;
    for (int k = 0; k < rows; ++k) {
        if (hooks.progress)
            hooks.progress(k * 100 / rows);
        for (int l = 0; l < cols; ++l) {
            // The last cell row of a picture whose height is no multiple of 8 reaches below
            // it; those lines do not exist, so they are neither read nor counted.
            for (int y = 8 * k; y < 8 * k + 8 && y < picture.height(); ++y) {
                checker.checkRun(8 * l, y);
                if (hooks.runChecked)
                    hooks.runChecked();
            }
        }
        if (hooks.cancelRequested && hooks.cancelRequested()) {
            checker.finish(true);
            return std::move(checker.result());
        }
    }
    checker.finish(false);
    return std::move(checker.result());
}

std::string_view ColorCheckBoxText(int result) {
    if (result == ColorCheckCanceled)
        return "Canceled..";
    return result > 0 ? "Some errors were found!" : "OK!";
}

} // namespace murelo
