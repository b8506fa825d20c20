// Saving a 640 x 640 picture at 24 bits as File > Save does: encoding, the temporary file,
// fsync of the file, the rename and the fsync of the folder, on the disk the temporary
// folder lies on.
#include "BenchPictures.h"

#include "core/app/PictureFiles.h"
#include "core/editor/AtomicFile.h"
#include "core/editor/BitmapCodec.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

using namespace murelo;

class BenchFolder {
  public:
    BenchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "murelo-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a folder for the benchmark");
        path_ = pattern;
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::filesystem::path operator/(const char* name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

void BM_SaveBitmap640x640At24Bits(benchmark::State& state) {
    BenchFolder folder;
    Document doc;
    doc.picture = bench::PhotographLike(640, 640);
    doc.PictureWidth = doc.PictureHeight = 640;
    doc.SaveDepth = PixelFormat::Bits24;
    const std::string target = (folder / "picture.bmp").string();
    for (auto _ : state) {
        const FileReport report = WritePictureFile(doc, target, target);
        if (!report.ok())
            state.SkipWithError(report.text.c_str());
    }
}

// The writer alone, on the bytes of the same bitmap.
void BM_WriteFileAtomically1200KB(benchmark::State& state) {
    BenchFolder folder;
    const std::vector<std::uint8_t> bytes = EncodeBitmap24(bench::PhotographLike(640, 640));
    for (auto _ : state)
        WriteFileAtomically(folder / "picture.bmp", bytes);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

} // namespace

BENCHMARK(BM_SaveBitmap640x640At24Bits)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteFileAtomically1200KB)->Unit(benchmark::kMillisecond)->UseRealTime();
