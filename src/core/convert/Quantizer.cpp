// Median-cut colour reduction in YCbCr space.
//
// The items are single-precision floats and every accumulator is a double sum taken in
// item order, so the chosen palette is the same on every compiler: each value is computed
// by one fixed sequence of IEEE operations (this file is built without floating-point
// contraction, so no multiply-add is fused behind our back).
#include "core/convert/Quantizer.h"

#include "core/convert/ColorMath.h"

#include <algorithm>
#include <cstring>

namespace murelo {

namespace {

// Depth 1 bit for n <= 2, 4 bits for n <= 16, 8 bits for n <= 256, otherwise 24 bits.
int OutputBits(int n) {
    if (n <= 2)
        return 1;
    if (n <= 16)
        return 4;
    if (n <= 256)
        return 8;
    return 24;
}

// How many times n can be halved before it reaches 0, starting from n / 2.
int SplitDepth(int n) {
    int depth = 0;
    for (int m = n / 2; m > 0; m /= 2)
        ++depth;
    return depth;
}

// Entries of the colour table. An 8-bit picture can hold up to 2^depth boxes, so its table
// grows beyond 16 when more boxes can occur; a 24-bit picture keeps n entries.
int PaletteLength(int n) {
    const int bits = OutputBits(n);
    if (bits == 24)
        return n;
    if (bits == 8)
        return std::max(16, 1 << SplitDepth(n));
    return 16;
}

QuantizerEntry EntryAt(const std::uint8_t* p) {
    return {p[0], p[1], p[2], 0};
}

// The picture's distinct colours in first-seen order, or nothing once there are more than n.
std::optional<std::vector<QuantizerEntry>> ExactColors(const QuantizerBitmap& bitmap, int n) {
    std::vector<QuantizerEntry> colors;
    colors.reserve(std::size_t(n) + 1);
    for (int r = 0; r < bitmap.rowCount(); ++r) {
        const std::uint8_t* row = bitmap.storageRow(r);
        for (int x = 0; x < bitmap.width; ++x) {
            const QuantizerEntry c = EntryAt(row + 3 * x);
            if (!colors.empty() && colors.back() == c)
                continue;
            if (std::find(colors.begin(), colors.end(), c) != colors.end())
                continue;
            if (int(colors.size()) == n)
                return std::nullopt;
            colors.push_back(c);
        }
    }
    return colors;
}

enum class Axis { Y, Cb, Cr };

float AxisValue(const QuantizerItem& item, Axis axis) {
    switch (axis) {
    case Axis::Y:
        return item.y;
    case Axis::Cb:
        return item.cb;
    default:
        return item.cr;
    }
}

// Ties favour Cr over both others and Cb over Y.
Axis WidestAxis(double rangeY, double rangeCb, double rangeCr) {
    if (rangeCb >= rangeY)
        return rangeCr >= rangeCb ? Axis::Cr : Axis::Cb;
    return rangeCr >= rangeY ? Axis::Cr : Axis::Y;
}

struct BoxStats {
    float minY, maxY, minCb, maxCb, minCr, maxCr;
    double sumY = 0, sumCb = 0, sumCr = 0;
};

BoxStats StatsOf(const std::vector<QuantizerItem>& items, const std::uint32_t* members,
                 std::size_t count) {
    const QuantizerItem& first = items[members[0]];
    BoxStats s{first.y, first.y, first.cb, first.cb, first.cr, first.cr};
    for (std::size_t k = 0; k < count; ++k) {
        const QuantizerItem& it = items[members[k]];
        s.minY = std::min(s.minY, it.y);
        s.maxY = std::max(s.maxY, it.y);
        s.minCb = std::min(s.minCb, it.cb);
        s.maxCb = std::max(s.maxCb, it.cb);
        s.minCr = std::min(s.minCr, it.cr);
        s.maxCr = std::max(s.maxCr, it.cr);
        s.sumY += it.y;
        s.sumCb += it.cb;
        s.sumCr += it.cr;
    }
    return s;
}

// A box's members are kept as a list of item numbers in ascending order, so scanning the
// list meets the box's items in the same order as scanning the whole array would, and the
// sums come out bit for bit the same; each level of the cut then touches every item once
// instead of once per box.
void SplitMembers(std::vector<QuantizerItem>& items, std::uint32_t* members, std::size_t count,
                  std::uint32_t* scratch, int box, int depth) {
    if (depth < 1 || count == 0)
        return;
    const BoxStats s = StatsOf(items, members, count);
    const double rangeY = double(s.maxY) - double(s.minY);
    const double rangeCb = double(s.maxCb) - double(s.minCb);
    const double rangeCr = double(s.maxCr) - double(s.minCr);
    const Axis axis = WidestAxis(rangeY, rangeCb, rangeCr);
    const double sum = axis == Axis::Y ? s.sumY : axis == Axis::Cb ? s.sumCb : s.sumCr;
    const float split = static_cast<float>(sum / double(count));
    const int target = box + (1 << (depth - 1));

    std::size_t kept = 0;
    std::size_t moved = 0;
    for (std::size_t k = 0; k < count; ++k) {
        QuantizerItem& it = items[members[k]];
        if (AxisValue(it, axis) >= split) {
            it.box = target;
            scratch[moved++] = members[k];
        } else {
            members[kept++] = members[k];
        }
    }
    std::copy(scratch, scratch + moved, members + kept);
    SplitMembers(items, members, kept, scratch, box, depth - 1);
    SplitMembers(items, members + kept, moved, scratch, target, depth - 1);
}

int ChannelOf(double value) {
    value = std::clamp(value, 0.0, 255.0);
    return Level3Table[static_cast<int>(value) >> 5];
}

// Mean colour of every box, snapped to the 512-colour grid; empty boxes stay black.
void BoxColors(const std::vector<QuantizerItem>& items, int length,
               std::vector<QuantizerEntry>& palette) {
    struct Accumulator {
        double y = 0, cb = 0, cr = 0;
        std::int32_t count = 0;
    };
    std::vector<Accumulator> boxes(static_cast<std::size_t>(length));
    std::fill(palette.begin(), palette.begin() + length, QuantizerEntry{});
    for (const QuantizerItem& it : items) {
        if (it.box >= length)
            continue;
        Accumulator& a = boxes[std::size_t(it.box)];
        a.y += it.y;
        a.cb += it.cb;
        a.cr += it.cr;
        ++a.count;
    }
    for (int j = 0; j < length; ++j) {
        const Accumulator& a = boxes[std::size_t(j)];
        if (a.count <= 0)
            continue;
        const double y = a.y / a.count;
        const double cb = a.cb / a.count;
        const double cr = a.cr / a.count;
        const int red = ChannelOf(y + 1.402 * cr + 0.49);
        const int green = ChannelOf(y - 0.34414 * cb - 0.71414 * cr + 0.49);
        const int blue = ChannelOf(y + 1.772 * cb + 0.49);
        palette[std::size_t(j)] = {std::uint8_t(blue), std::uint8_t(green), std::uint8_t(red), 0};
    }
}

void WriteBoxPixel(std::uint8_t* row, int x, int bits, int box,
                   const std::vector<QuantizerEntry>& palette) {
    switch (bits) {
    case 1:
        if (box & 1)
            row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        break;
    case 4:
        row[x / 2] |= std::uint8_t((box & 0x0F) << ((x % 2) ? 0 : 4));
        break;
    case 8:
        row[x] = std::uint8_t(box);
        break;
    default: {
        const QuantizerEntry& e = palette[std::size_t(box)];
        row[3 * x] = e.Blue;
        row[3 * x + 1] = e.Green;
        row[3 * x + 2] = e.Red;
    }
    }
}

QuantizerBitmap BoxBitmap(const QuantizerBitmap& source, const std::vector<QuantizerItem>& items,
                          int n, const std::vector<QuantizerEntry>& palette) {
    const int length = PaletteLength(n);
    QuantizerBitmap out;
    out.headerSize = source.headerSize;
    out.width = source.width;
    out.height = source.height;
    out.bitsPerPixel = OutputBits(n);
    out.compression = 0;
    out.imageSize = std::uint32_t(out.stride()) * std::uint32_t(out.rowCount());
    out.colorsUsed = length <= 255 ? std::uint32_t(length) : 0;
    if (length <= 256)
        out.colorTable.assign(palette.begin(), palette.begin() + length);
    out.bits.assign(out.imageSize, 0);
    for (int r = 0; r < out.rowCount(); ++r) {
        std::uint8_t* row = out.storageRow(r);
        const std::size_t base = std::size_t(r) * std::size_t(out.width);
        for (int x = 0; x < out.width; ++x)
            WriteBoxPixel(row, x, out.bitsPerPixel, items[base + std::size_t(x)].box, palette);
    }
    return out;
}

} // namespace

QuantizerItem MakeQuantizerItem(int red, int green, int blue) {
    const double r = red, g = green, b = blue;
    const double y = 0.29891 * r + 0.58661 * g + 0.11448 * b;
    const double cb = -0.16874 * r - 0.33126 * g + 0.5 * b;
    const double cr = 0.5 * r - 0.41869 * g - 0.08131 * b;
    return {static_cast<float>(y), static_cast<float>(cb), static_cast<float>(cr), 0};
}

void SplitBox(std::vector<QuantizerItem>& items, int box, int depth) {
    if (depth < 1)
        return;
    std::vector<std::uint32_t> members;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].box == box)
            members.push_back(std::uint32_t(i));
    std::vector<std::uint32_t> scratch(members.size());
    SplitMembers(items, members.data(), members.size(), scratch.data(), box, depth);
}

std::optional<QuantizerBitmap> Quantize(const QuantizerBitmap& bitmap, int n,
                                        std::vector<QuantizerEntry>& palette) {
    if (n > QuantizerMaxColors || n < 2)
        return std::nullopt;
    if (bitmap.headerSize != BitmapInfoHeaderSize || bitmap.bitsPerPixel != 24 ||
        bitmap.width < 0 ||
        bitmap.bits.size() < std::size_t(bitmap.stride()) * std::size_t(bitmap.rowCount()))
        return std::nullopt;
    const std::size_t needed = std::size_t(std::max({16, n, PaletteLength(n)}));
    if (palette.size() < needed)
        palette.resize(needed);

    if (const auto exact = ExactColors(bitmap, n)) {
        std::fill(palette.begin(), palette.begin() + n, QuantizerEntry{255, 255, 255, 0});
        std::copy(exact->begin(), exact->end(), palette.begin());
        return std::nullopt;
    }

    std::vector<QuantizerItem> items;
    items.reserve(std::size_t(bitmap.width) * std::size_t(bitmap.rowCount()));
    for (int r = 0; r < bitmap.rowCount(); ++r) {
        const std::uint8_t* row = bitmap.storageRow(r);
        for (int x = 0; x < bitmap.width; ++x)
            items.push_back(MakeQuantizerItem(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
    }
    SplitBox(items, 0, SplitDepth(n));
    BoxColors(items, PaletteLength(n), palette);
    return BoxBitmap(bitmap, items, n, palette);
}

QuantizerBitmap BitmapFromPicture(const Picture& image) {
    QuantizerBitmap bitmap;
    bitmap.width = image.width();
    bitmap.height = image.height();
    bitmap.bitsPerPixel = 24;
    bitmap.imageSize = std::uint32_t(bitmap.stride()) * std::uint32_t(bitmap.rowCount());
    bitmap.bits.assign(bitmap.imageSize, 0);
    for (int r = 0; r < bitmap.rowCount(); ++r) {
        const ColorValue* src = image.row(image.height() - 1 - r);
        std::uint8_t* dst = bitmap.storageRow(r);
        for (int x = 0; x < bitmap.width; ++x) {
            dst[3 * x] = std::uint8_t(BlueOf(src[x]));
            dst[3 * x + 1] = std::uint8_t(GreenOf(src[x]));
            dst[3 * x + 2] = std::uint8_t(RedOf(src[x]));
        }
    }
    return bitmap;
}

namespace {

ColorValue TableColor(const QuantizerBitmap& bitmap, int index) {
    if (index < 0 || std::size_t(index) >= bitmap.colorTable.size())
        return RgbColor(0, 0, 0);
    const QuantizerEntry& e = bitmap.colorTable[std::size_t(index)];
    return RgbColor(e.Red, e.Green, e.Blue);
}

ColorValue BitmapPixel(const QuantizerBitmap& bitmap, const std::uint8_t* row, int x) {
    switch (bitmap.bitsPerPixel) {
    case 1:
        return TableColor(bitmap, (row[x / 8] >> (7 - x % 8)) & 1);
    case 4:
        return TableColor(bitmap, (x % 2) ? row[x / 2] & 0x0F : row[x / 2] >> 4);
    case 8:
        return TableColor(bitmap, row[x]);
    default:
        return RgbColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
}

} // namespace

void CopyBitmapToPicture(const QuantizerBitmap& bitmap, Picture& image) {
    const int width = std::min(bitmap.width, image.width());
    const int rows = std::min(bitmap.rowCount(), image.height());
    for (int r = 0; r < rows; ++r) {
        const int y = bitmap.height > 0 ? bitmap.rowCount() - 1 - r : r;
        if (y >= image.height())
            continue;
        const std::uint8_t* row = bitmap.storageRow(r);
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, BitmapPixel(bitmap, row, x));
    }
}

void QuantizeImage(Picture& image, int n, QuantizerPalette& palette) {
    std::vector<QuantizerEntry> table(palette.begin(), palette.end());
    const QuantizerBitmap working = BitmapFromPicture(image);
    const auto reduced = Quantize(working, n, table);
    std::copy(table.begin(), table.begin() + PaletteEntries, palette.begin());
    if (reduced)
        CopyBitmapToPicture(*reduced, image);
}

void SortPalette(int n, QuantizerPalette& palette) {
    if (n > 16)
        return;
    const int first = std::max(n, 0);
    for (int i = first; i < 16; ++i)
        palette[std::size_t(i)] = {255, 255, 255, 0};
    std::array<std::uint32_t, 16> keys{};
    for (int i = 0; i < 16; ++i) {
        const QuantizerEntry& e = palette[std::size_t(i)];
        const std::uint32_t average = (std::uint32_t(e.Red) + e.Green + e.Blue) / 3;
        keys[std::size_t(i)] =
            average << 24 | std::uint32_t(e.Blue) << 16 | std::uint32_t(e.Green) << 8 | e.Red;
    }
    std::sort(keys.begin(), keys.end());
    for (int i = 0; i < 16; ++i) {
        const std::uint32_t k = keys[std::size_t(i)];
        palette[std::size_t(i)] = {std::uint8_t(k >> 16), std::uint8_t(k >> 8), std::uint8_t(k), 0};
    }
    for (int i = first; i < 16; ++i)
        palette[std::size_t(i)] = {};
}

} // namespace murelo
