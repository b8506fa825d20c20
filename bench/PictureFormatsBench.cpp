// Opening a PNG, importing a photograph and exporting the one-file SCREEN 2 image, each from
// and to real files as the editor does them.
#include "core/app/PictureFiles.h"
#include "core/editor/ColorCheck.h"
#include "core/editor/PngEncode.h"
#include "core/editor/ScreenBuffer.h"
#include "core/export/ExportJob.h"
#include "core/export/Sc2Image.h"
#include "core/export/VramTables.h"
#include "core/palette/Palettes.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <jpeglib.h>
#include <memory>
#include <utility>
#include <vector>
#include <zlib.h>

namespace {

using namespace murelo;

std::filesystem::path BenchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "murelo-formats-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

void WriteFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Smooth gradients with some fine detail, as photographs and painted art have.
std::uint8_t Sample(int x, int y, int channel) {
    return std::uint8_t((x * (channel + 1) / 7 + y * (3 - channel) / 5 + ((x ^ y) & 15)) & 0xFF);
}

void BM_OpenPng640(benchmark::State& state) {
    const auto folder = BenchFolder();
    Picture picture(640, 640);
    for (int y = 0; y < 640; ++y)
        for (int x = 0; x < 640; ++x)
            picture.setPixel(x, y, RgbColor(Sample(x, y, 0), Sample(x, y, 1), Sample(x, y, 2)));
    const std::string file = (folder / "art.png").string();
    WriteFile(file, EncodePng(picture, KindTms9918));
    for (auto _ : state) {
        Document doc;
        const FileReport report = LoadPictureFile(doc, file);
        if (!report.ok() || doc.PictureWidth != 640)
            state.SkipWithError("the PNG did not open");
        benchmark::DoNotOptimize(doc.picture.pixels().data());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenPng640)->Unit(benchmark::kMillisecond);

std::vector<std::uint8_t> PhotoJpeg(int width, int height) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                row[std::size_t(x) * 3 + std::size_t(c)] = Sample(x, y, c);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    jpeg_destroy_compress(&cinfo);
    return out;
}

void BM_ImportJpeg4000x3000(benchmark::State& state) {
    const auto folder = BenchFolder();
    const std::string file = (folder / "photo.jpg").string();
    WriteFile(file, PhotoJpeg(4000, 3000));
    for (auto _ : state) {
        Document doc;
        const FileReport report = ImportPictureFile(doc, file, 256, 192, PictureFitMode::Letterbox);
        if (!report.ok() || doc.PictureWidth != 256)
            state.SkipWithError("the photograph did not import");
        benchmark::DoNotOptimize(doc.picture.pixels().data());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ImportJpeg4000x3000)->Unit(benchmark::kMillisecond);

// The Export button with "SCREEN 2 IMAGE (*.SC2)": reset, colour check with tables, file.
void BM_ExportSc2(benchmark::State& state) {
    const auto folder = BenchFolder();
    Picture picture(256, 192);
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x)
            picture.setPixel(x, y,
                             PaletteColor(KindTms9918, (x ^ y) & 1 ? 15 : 1 + (x / 8 + y) % 14));
    ExportOptions options;
    options.dataType = ExportSc2Data;
    ExportJobHooks hooks;
    const auto target = folder / "pic";
    hooks.sc2Path = [&] { return std::optional<std::filesystem::path>(target); };
    auto screen = std::make_unique<ScreenBuffer>();
    Picture overlay;
    for (auto _ : state) {
        const ExportJobResult result =
            RunExportJob(picture, KindTms9918, options, overlay, screen->vramImage(), hooks);
        if (result.outcome != ExportOutcome::Written)
            state.SkipWithError("the export did not write");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ExportSc2)->Unit(benchmark::kMillisecond);

// The same without the file: reset, colour check with tables and the image bytes, so that the
// part the disk's syncing takes can be told apart.
void BM_BuildSc2Image(benchmark::State& state) {
    Picture picture(256, 192);
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x)
            picture.setPixel(x, y,
                             PaletteColor(KindTms9918, (x ^ y) & 1 ? 15 : 1 + (x / 8 + y) % 14));
    auto screen = std::make_unique<ScreenBuffer>();
    Picture overlay;
    for (auto _ : state) {
        ResetVramImage(screen->vramImage());
        const ColorCheckResult check =
            ColorCheck(picture, KindTms9918, true, overlay, screen->vramImage(), {});
        if (check.result != 0)
            state.SkipWithError("the picture did not pass the check");
        benchmark::DoNotOptimize(Sc2ImageData(std::as_const(*screen).vramImage()).data());
    }
}
BENCHMARK(BM_BuildSc2Image)->Unit(benchmark::kMillisecond);

// A PNG of 1 x 1 pixel whose data stream carries 80 MB of zeros behind its one row (about
// 80 KB of file): reading it should cost what its one row costs.
std::vector<std::uint8_t> PngWithTrailingZeros(std::size_t zeros) {
    const auto appendU32 = [](std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(std::uint8_t(v >> shift));
    };
    const auto appendChunk = [&](std::vector<std::uint8_t>& out, const char* type,
                                 const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> chunk(type, type + 4);
        chunk.insert(chunk.end(), data.begin(), data.end());
        appendU32(out, std::uint32_t(data.size()));
        out.insert(out.end(), chunk.begin(), chunk.end());
        appendU32(out, std::uint32_t(crc32(0, chunk.data(), uInt(chunk.size()))));
    };
    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> header;
    appendU32(header, 1);
    appendU32(header, 1);
    header.insert(header.end(), {8, 2, 0, 0, 0});
    appendChunk(file, "IHDR", header);
    std::vector<std::uint8_t> raw(zeros + 4, 0);
    raw[1] = 200;
    uLongf size = compressBound(uLong(raw.size()));
    std::vector<std::uint8_t> packed(size);
    compress2(packed.data(), &size, raw.data(), uLong(raw.size()), 9);
    packed.resize(size);
    appendChunk(file, "IDAT", packed);
    appendChunk(file, "IEND", {});
    return file;
}

void BM_OpenPngWithTrailingData(benchmark::State& state) {
    const auto folder = BenchFolder();
    const std::string file = (folder / "trailing.png").string();
    WriteFile(file, PngWithTrailingZeros(80u << 20));
    for (auto _ : state) {
        Document doc;
        const FileReport report = LoadPictureFile(doc, file);
        if (!report.ok() || doc.PictureWidth != 1)
            state.SkipWithError("the PNG did not open");
        benchmark::DoNotOptimize(doc.picture.pixels().data());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenPngWithTrailingData)->Unit(benchmark::kMillisecond);

} // namespace
