#pragma once

#include "core/app/ConverterWindowModel.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace murelo::test {

// Gradients, a highlight, noise and flat blocks: many distinct colours, the same every run.
inline Picture PhotoLike(int width, int height) {
    Picture picture(width, height);
    unsigned s = 0x2545F491u;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s = s * 1664525u + 1013904223u;
            const int noise = int((s >> 24) % 25) - 12;
            int r = x * 220 / width + noise;
            int g = y * 200 / height - noise;
            int b = (x + y) * 255 / (width + height) + noise / 2;
            if ((x / 8 + y / 8) % 5 == 0) {
                r = 200;
                g = 40;
                b = 90;
            }
            picture.setPixel(
                x, y,
                RgbColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    return picture;
}

// An editor session, the headless host and the converter window model over them, on the
// heap (the conversion buffers are large).
struct ConverterRig {
    EditorSession session;
    HeadlessConverterHost host;
    ConverterWindowModel model{session, host};

    Document& doc() { return session.mutableDocument(); }

    // A loaded picture: the only undo step, unmodified.
    void load(const Picture& picture) {
        session.applyPicture(picture);
        session.restartUndo();
        doc().Modified = false;
    }
    void open() {
        model.FormShow();
        model.runToFinish();
    }
    void openOnPage(int page) {
        model.FormShow();
        if (model.controls().page != page)
            model.PageControl1Change(page);
        model.runToFinish();
    }
};

inline std::unique_ptr<ConverterRig> MakeRig(const Picture& picture) {
    auto rig = std::make_unique<ConverterRig>();
    rig->load(picture);
    return rig;
}

// The mode list of each page.
inline int ComboOf(int page) {
    static constexpr int Combos[] = {1, 3, 2, 4, 5};
    return Combos[page];
}

} // namespace murelo::test
