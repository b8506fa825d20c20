#pragma once

#include "core/app/ConverterWindowModel.h"
#include "core/convert/ConversionTestSupport.h"
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
        model.open();
        model.runToFinish();
    }
    void openOnPage(ConverterPage page) {
        model.open();
        if (model.controls().page != page)
            model.choosePage(page);
        model.runToFinish();
    }
};

inline std::unique_ptr<ConverterRig> MakeRig(const Picture& picture) {
    auto rig = std::make_unique<ConverterRig>();
    rig->load(picture);
    return rig;
}

constexpr ConverterPage Tms = ConverterPage::Tms9918, V38 = ConverterPage::V9938,
                        V58 = ConverterPage::V9958, P6 = ConverterPage::Pc6001,
                        P88 = ConverterPage::Pc8801;

// Item `index` of a page's mode list.
inline ModeId ModeOn(ConverterPage page, int index) {
    return ModesOf(page)[std::size_t(index)].id;
}

} // namespace murelo::test
