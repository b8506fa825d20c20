#pragma once

#include "core/editor/Picture.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace murelo {

constexpr int ColorCheckCanceled = -1;
// Offences beyond this many are counted and marked but not listed.
constexpr int ListedOffenceLimit = 20;

constexpr ColorValue CheckOverlayBackground = 0x202020;
constexpr ColorValue CheckOverlayMark = 0xFF00FF;

constexpr std::string_view ColorCheckCaption = "Color Check";

// How a window follows the check and stops it. Every member may be left empty.
struct ColorCheckHooks {
    // Before each cell row, with row * 100 / rows: the progress bar position.
    std::function<void(int percent)> progress;
    // After each 8-pixel run: the place to let the user interface process a pending event.
    std::function<void()> runChecked;
    // Asked after each cell row; true stops the check there (the Cancel button).
    std::function<bool()> cancelRequested;
};

struct ColorCheckResult {
    int result = 0;           // the number of offences, or ColorCheckCanceled
    int errors = 0;           // offences counted, also when the check was cancelled
    bool errorsShown = false; // at least one mark was made on the overlay
    std::string messageText;  // the message window's whole text after the check
};

// Checks every 8-pixel run that starts at a multiple of 8 against the Graphic 2 rule: each pixel
// a usable colour of the palette, at most two colours per run. The overlay is resized to the
// picture, filled with CheckOverlayBackground and marked with CheckOverlayMark at each offence.
// With fillTables and a 256 x 192 picture, the pattern and colour bytes of every run go to the
// video-memory image (at least VramImageSize bytes) from offsets 0 and 0x2000; any other size
// leaves the image untouched, because only that size matches the chip's tables.
ColorCheckResult ColorCheck(const Picture& picture, int paletteKind, bool fillTables,
                            Picture& overlay, std::span<std::uint8_t> vramImage,
                            const ColorCheckHooks& hooks = {});

// The result box text: "Canceled..", "Some errors were found!" or "OK!".
std::string_view ColorCheckBoxText(int result);

} // namespace murelo
