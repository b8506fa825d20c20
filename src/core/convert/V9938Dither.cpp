#include "core/convert/V9938Dither.h"

#include "core/convert/BalancedColor.h"
#include "core/convert/ChipLevels.h"
#include "core/convert/PaletteChoice.h"
#include "core/convert/Quantizer.h"
#include "core/convert/V9938Conversion.h"
#include "core/convert/V9938Diffusion.h"

#include <algorithm>
#include <optional>

namespace murelo {

namespace {

// Which pixels of the picture the screen keeps, and where each kept pixel is shown.
struct Geometry {
    bool pairColumns = false; // interlaced SCREEN 5: a 512-wide picture, every dot two columns
    bool rowPairs = false;    // SCREEN 6 and 7 without "Interlace": one row of each pair kept
    bool oddLine = false;     // ... the pair's second row
};

RowDiffusion::Kernel KernelOf(const Geometry& g) {
    return g.rowPairs ? RowDiffusion::Kernel::RowsShownTwice : RowDiffusion::Kernel::Square;
}

// The kept pixels of the balanced source, in the order the rows are diffused.
DiffusionPicture KeptPixels(const ConversionState& state, const Geometry& g) {
    const Picture& source = state.source;
    const int w = source.width(), h = source.height();
    DiffusionPicture picture;
    picture.resize(g.pairColumns ? (w + 1) / 2 : w, g.rowPairs ? (h + 1) / 2 : h);
    for (int y = 0; y < picture.height; ++y) {
        const int sourceRow = g.rowPairs ? std::min(2 * y + (g.oddLine ? 1 : 0), h - 1) : y;
        const ColorValue* row = source.row(sourceRow);
        const std::size_t base = std::size_t(y) * std::size_t(picture.width);
        for (int x = 0; x < picture.width; ++x) {
            if (!g.pairColumns) {
                picture.set(base + std::size_t(x), BalancedColor(state, row[x]));
                continue;
            }
            // A dot spans both columns of its pair: it stands for their mean.
            const ColorRec left = BalancedColor(state, row[2 * x]);
            if (2 * x + 1 < w)
                picture.setMean(base + std::size_t(x), left, BalancedColor(state, row[2 * x + 1]));
            else
                picture.set(base + std::size_t(x), left);
        }
    }
    return picture;
}

// One dithered V9938 mode. `Chooser` is the colour list the diffusion picks from.
template <class Chooser> class V9938Dithered : public ModeConversion {
  public:
    V9938Dithered(ConversionState& state, const Geometry& geometry, DiffusionPicture picture,
                  Chooser chooser, std::vector<ColorValue> colors)
        : geometry_(geometry), picture_(std::move(picture)), chooser_(std::move(chooser)),
          colors_(std::move(colors)), diffusion_(picture_.width, state.params.DitherStrength,
                                                 Low(chooser_), High(chooser_), KernelOf(geometry)),
          chosen_(std::size_t(picture_.width)),
          store_(std::is_same_v<Chooser, Screen8Chooser> &&
                 Screen8Stores(state.source.width(), state.source.height())) {}

    int end() const override { return picture_.height; }

    int pass(ConversionState& state, int start) override {
        return RunUnits(state, start, end(), [&](int y) { convertRow(state, y); });
    }

  protected:
    const std::vector<ColorValue>& colors() const { return colors_; }

  private:
    static DitherPoint Low(const Chooser& c) { return Box(c).first; }
    static DitherPoint High(const Chooser& c) { return Box(c).second; }
    static std::pair<DitherPoint, DitherPoint> Box(const Chooser& c) {
        std::vector<DitherPoint> points;
        for (int k = 0; k < c.size(); ++k)
            points.push_back(c.point(k));
        std::pair<DitherPoint, DitherPoint> box;
        ReachBox(points, box.first, box.second);
        return box;
    }

    void convertRow(ConversionState& state, int y) {
        diffusion_.row(picture_, y, chooser_, chosen_);
        Picture& result = state.result;
        const int w = result.width(), h = result.height();
        const int firstRow = geometry_.rowPairs ? 2 * y : y;
        const int rows = geometry_.rowPairs ? std::min(2, h - firstRow) : 1;
        for (int r = 0; r < rows; ++r) {
            ColorValue* out = result.row(firstRow + r);
            for (int x = 0; x < w; ++x)
                out[x] =
                    colors_[std::size_t(chosen_[std::size_t(geometry_.pairColumns ? x / 2 : x)])];
        }
        if (store_) {
            const std::size_t base = std::size_t(y) * ScreenByteWidth;
            for (int x = 0; x < w; ++x)
                if (base + std::size_t(x) < state.screenBytes.size())
                    state.screenBytes[base + std::size_t(x)] =
                        std::uint8_t(chosen_[std::size_t(x)]);
        }
    }

    Geometry geometry_;
    DiffusionPicture picture_;
    Chooser chooser_;
    std::vector<ColorValue> colors_; // what each index of the chooser shows
    RowDiffusion diffusion_;
    std::vector<int> chosen_; // the indices of the row being drawn
    bool store_;
};

// The palette modes: the palette chosen from the kept pixels, left in the quantizer
// palette when the conversion finishes.
class PaletteDithered : public V9938Dithered<PaletteChooser> {
  public:
    PaletteDithered(ConversionState& state, const Geometry& geometry, DiffusionPicture picture,
                    int count, const std::vector<int>& lattice)
        : V9938Dithered(state, geometry, std::move(picture), PaletteChooser(lattice),
                        ColorsOf(lattice)),
          count_(count) {}

    void finish(ConversionState& state) override {
        QuantizerPalette& palette = state.quantizerPalette;
        palette.fill({});
        for (std::size_t k = 0; k < colors().size(); ++k)
            palette[k] = {std::uint8_t(BlueOf(colors()[k])), std::uint8_t(GreenOf(colors()[k])),
                          std::uint8_t(RedOf(colors()[k])), 0};
        // Entries the picture does not need repeat black, which sorts first, as the
        // design's quantizer leaves empty boxes.
        SortPalette(count_, palette);
    }

  private:
    static std::vector<ColorValue> ColorsOf(const std::vector<int>& lattice) {
        std::vector<ColorValue> colors;
        for (int index : lattice)
            colors.push_back(LatticeColor(index));
        return colors;
    }
    int count_;
};

std::unique_ptr<ModeConversion> StartPaletteMode(ConversionState& state, const Geometry& geometry,
                                                 int count) {
    DiffusionPicture picture = KeptPixels(state, geometry);
    const std::vector<int> lattice =
        ChooseLatticePalette(picture, count, state.params.DitherStrength, KernelOf(geometry));
    return std::make_unique<PaletteDithered>(state, geometry, std::move(picture), count, lattice);
}

Geometry RowPairsUnlessInterlaced(const ConversionState& state) {
    return {false, !state.params.Interlace, state.params.OddLine && !state.params.Interlace};
}

} // namespace

std::unique_ptr<ModeConversion> StartScreen5Dithered(ConversionState& state) {
    return StartPaletteMode(state, {state.params.Interlace, false, false}, 16);
}

std::unique_ptr<ModeConversion> StartScreen6Dithered(ConversionState& state) {
    return StartPaletteMode(state, RowPairsUnlessInterlaced(state), 4);
}

std::unique_ptr<ModeConversion> StartScreen7Dithered(ConversionState& state) {
    return StartPaletteMode(state, RowPairsUnlessInterlaced(state), 16);
}

std::unique_ptr<ModeConversion> StartScreen8Dithered(ConversionState& state) {
    std::vector<ColorValue> colors(256);
    for (int byte = 0; byte < 256; ++byte)
        colors[std::size_t(byte)] = Screen8ChipColor(std::uint8_t(byte));
    return std::make_unique<V9938Dithered<Screen8Chooser>>(
        state, Geometry{}, KeptPixels(state, Geometry{}), Screen8Chooser(), std::move(colors));
}

} // namespace murelo
