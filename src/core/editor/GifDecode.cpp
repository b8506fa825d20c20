#include "core/editor/GifDecode.h"

#include "core/editor/PictureReadLimits.h"

#include <gif_lib.h>

#include <cstring>
#include <vector>

namespace murelo {

namespace {

struct GifSource {
    std::span<const std::uint8_t> file;
    std::size_t at = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int size) {
    auto* source = static_cast<GifSource*>(gif->UserData);
    const std::size_t n = std::min(std::size_t(size), source->file.size() - source->at);
    std::memcpy(out, source->file.data() + source->at, n);
    source->at += n;
    return int(n);
}

class GifFile {
  public:
    GifFile(GifSource& source) : gif_(DGifOpen(&source, ReadBytes, &error_)) {}
    ~GifFile() {
        if (gif_)
            DGifCloseFile(gif_, nullptr);
    }
    GifFile(const GifFile&) = delete;
    GifFile& operator=(const GifFile&) = delete;
    GifFileType* get() const { return gif_; }
    int error() const { return gif_ ? gif_->Error : error_; }

  private:
    int error_ = 0;
    GifFileType* gif_;
};

DecodedBitmap Unreadable(std::string reason) {
    DecodedBitmap result;
    result.fault = BitmapFault::Unreadable;
    result.message = "GIF: " + reason;
    return result;
}

DecodedBitmap LibraryError(const GifFile& gif) {
    const char* text = GifErrorString(gif.error());
    return Unreadable(text ? text : "damaged file");
}

bool SkipExtension(GifFileType* gif) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK)
        return false;
    while (block)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK)
            return false;
    return true;
}

ColorValue MapColor(const ColorMapObject* map, int index) {
    if (!map || index < 0 || index >= map->ColorCount)
        return 0; // an index past the table (a damaged file) shows black
    const GifColorType& c = map->Colors[index];
    return RgbColor(c.Red, c.Green, c.Blue);
}

// The frame's rows in file order; an interlaced frame stores them in four passes.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(std::size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    constexpr int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            order.push_back(y);
    return order;
}

bool ReadFrame(GifFileType* gif, Picture& screen) {
    const GifImageDesc& frame = gif->Image;
    if (frame.Width <= 0 || frame.Height <= 0 ||
        std::int64_t(frame.Width) * frame.Height > MaxReadablePixels)
        return false;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    std::vector<GifPixelType> line(std::size_t(frame.Width));
    for (int y : RowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif, line.data(), frame.Width) != GIF_OK)
            return false;
        for (int x = 0; x < frame.Width; ++x)
            screen.setPixel(frame.Left + x, frame.Top + y, MapColor(map, line[std::size_t(x)]));
    }
    return true;
}

} // namespace

DecodedBitmap DecodeGif(std::span<const std::uint8_t> file, const PictureLimits& limits) {
    GifSource source{file};
    GifFile gif(source);
    if (!gif.get())
        return LibraryError(gif);
    GifFileType* g = gif.get();
    DecodedBitmap result = CheckDeclaredSize(std::uint32_t(std::max(g->SWidth, 0)),
                                             std::uint32_t(std::max(g->SHeight, 0)), limits);
    if (!result.ok())
        return result;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(g, &type) != GIF_OK)
            return LibraryError(gif);
        if (type == TERMINATE_RECORD_TYPE)
            return Unreadable("the file holds no picture");
        if (type == EXTENSION_RECORD_TYPE) {
            if (!SkipExtension(g))
                return LibraryError(gif);
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            return Unreadable("unexpected record in the file");
        if (DGifGetImageDesc(g) != GIF_OK)
            return LibraryError(gif);
        result.picture =
            Picture(g->SWidth, g->SHeight, MapColor(g->SColorMap, g->SBackGroundColor));
        if (!ReadFrame(g, result.picture))
            return g->Error ? LibraryError(gif) : Unreadable("the first frame is damaged");
        result.formatCode = 3;
        return result;
    }
}

} // namespace murelo
