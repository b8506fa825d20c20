// Draws the program's icon, the sixteen TMS9918 colours on a dark tile, as the hicolor PNG
// sizes and as SVG, so that the installed icons and the window icon share one design.
//   make_icons FOLDER SIZE...
#include "core/palette/Palettes.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using murelo::ColorValue;

constexpr int Cells = 4;

ColorValue CellColor(int i) {
    // Colour 0 is transparent on the machine; the tile shows 14 (grey) in its place.
    return murelo::PaletteColor(murelo::KindTms9918, i == 0 ? 14 : i);
}

struct Layout {
    double size, radius, cell, origin;
    explicit Layout(double s)
        : size(s), radius(s / 8), cell(std::floor((s - s / 6) / Cells)),
          origin((s - Cells * std::floor((s - s / 6) / Cells)) / 2) {}
};

bool InsideTile(const Layout& l, double x, double y) {
    const double cx = std::clamp(x, l.radius, l.size - l.radius);
    const double cy = std::clamp(y, l.radius, l.size - l.radius);
    return std::hypot(x - cx, y - cy) <= l.radius;
}

// One RGBA pixel of the tile at its centre point.
std::vector<png_byte> Pixel(const Layout& l, int x, int y) {
    const double px = x + 0.5, py = y + 0.5;
    if (!InsideTile(l, px, py))
        return {0, 0, 0, 0};
    const int cx = int(std::floor((px - l.origin) / l.cell));
    const int cy = int(std::floor((py - l.origin) / l.cell));
    const double inX = px - l.origin - cx * l.cell, inY = py - l.origin - cy * l.cell;
    if (cx >= 0 && cy >= 0 && cx < Cells && cy < Cells && inX >= 1 && inY >= 1 &&
        inX <= l.cell - 1 && inY <= l.cell - 1) {
        const ColorValue c = CellColor(cy * Cells + cx);
        return {png_byte(murelo::RedOf(c)), png_byte(murelo::GreenOf(c)),
                png_byte(murelo::BlueOf(c)), 255};
    }
    return {0x30, 0x30, 0x30, 255};
}

bool WritePng(const std::string& file, int size) {
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(out);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, png_uint_32(size), png_uint_32(size), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const Layout l(size);
    std::vector<png_byte> row;
    for (int y = 0; y < size; ++y) {
        row.clear();
        for (int x = 0; x < size; ++x) {
            const std::vector<png_byte> p = Pixel(l, x, y);
            row.insert(row.end(), p.begin(), p.end());
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0;
}

bool WriteSvg(const std::string& file) {
    const Layout l(256);
    std::ofstream out(file);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n"
        << "  <rect width=\"256\" height=\"256\" rx=\"" << l.radius << "\" fill=\"#303030\"/>\n";
    for (int i = 0; i < Cells * Cells; ++i) {
        const ColorValue c = CellColor(i);
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%02X%02X%02X", murelo::RedOf(c), murelo::GreenOf(c),
                      murelo::BlueOf(c));
        out << "  <rect x=\"" << l.origin + (i % Cells) * l.cell + 1 << "\" y=\""
            << l.origin + (i / Cells) * l.cell + 1 << "\" width=\"" << l.cell - 2 << "\" height=\""
            << l.cell - 2 << "\" fill=\"" << colour << "\"/>\n";
    }
    out << "</svg>\n";
    return bool(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const std::string folder = argv[1];
    for (int i = 2; i < argc; ++i)
        if (!WritePng(folder + "/murelo9918-" + argv[i] + ".png", std::stoi(argv[i])))
            return 1;
    return WriteSvg(folder + "/murelo9918.svg") ? 0 : 1;
}
