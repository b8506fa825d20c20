// Fingerprints of the dithered Graphic 2 mode over varied pictures, palettes and strengths.
// A change meant only to make the mode faster must leave every picture and screen byte as
// it was; a fingerprint that moves shows which case drifted. Renew them only together with
// a deliberate change of the method, with the picture set's figures before and after.
#include "ConversionTestSupport.h"
#include "core/convert/Graphic2Dither.h"
#include "core/convert/ScreenExport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace murelo {
namespace {

using test::StateFor;

enum class Scene { Noise, Gradient, Natural, Painted };

struct GoldenCase {
    Scene scene;
    int width;
    int height;
    int kind;
    int strength;
    std::uint64_t hash;
};

Picture SceneOf(Scene scene, int width, int height, unsigned seed) {
    if (scene == Scene::Natural)
        return test::NaturalPicture(width, height, seed);
    Picture picture(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            const double v = double(y) / height;
            int r = 0, g = 0, b = 0;
            if (scene == Scene::Noise) {
                const unsigned c = unsigned(random());
                r = int(c & 255), g = int((c >> 8) & 255), b = int((c >> 16) & 255);
            } else if (scene == Scene::Gradient) {
                r = int(255 * u), g = int(255 * v), b = int(255 * (1 - u) * v);
            } else {
                const int grain = int(random() % 21) - 10;
                r = int(128 + 110 * std::sin(6.0 * u + 2.0 * v)) + grain;
                g = int(128 + 100 * std::sin(4.0 * v - 3.0 * u + 1.0)) + grain;
                b = int(110 + 90 * std::cos(5.0 * (u + v))) - grain;
            }
            picture.setPixel(
                x, y,
                RgbColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    return picture;
}

struct Fnv {
    std::uint64_t h = 1469598103934665603ull;
    void add(std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            h ^= (v >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    }
};

std::uint64_t Fingerprint(const GoldenCase& c) {
    auto state = StateFor(SceneOf(c.scene, c.width, c.height, unsigned(c.width + c.kind)), c.kind);
    state->params.DitherStrength = c.strength;
    RunConversion(*state, ModeId::Graphic2Dithered);
    EXPECT_TRUE(state->complete);
    Fnv fnv;
    for (ColorValue v : state->result.pixels())
        fnv.add(std::uint64_t(v), 4);
    const ScreenFileBuild build = ExportFiles(*state, "pic.sc2", false);
    fnv.add(build.ok() ? 1 : 0, 1);
    for (const NamedBytes& file : build.files)
        for (std::uint8_t byte : file.bytes)
            fnv.add(byte, 1);
    return fnv.h;
}

TEST(Graphic2DitherGoldenTest, EveryPictureAndScreenByteMatchesItsFingerprint) {
    const GoldenCase cases[] = {
        {Scene::Noise, 64, 24, 0, 95, 0x9b4133c8d094ec9ull},
        {Scene::Noise, 37, 21, 3, 100, 0x4829816ef4c7ff6eull},
        {Scene::Gradient, 256, 192, 0, 0, 0xbc38d252f8c3767ull},
        {Scene::Gradient, 256, 192, 1, 50, 0xb328920106a942fcull},
        {Scene::Natural, 256, 192, 0, 95, 0x4e07548b0941eb15ull},
        {Scene::Natural, 123, 45, 2, 50, 0xd2fb3a0e4829eb2aull},
        {Scene::Natural, 255, 17, 4, 100, 0x4075437e15bd6bc2ull},
        {Scene::Natural, 61, 33, 5, 95, 0x6995b78aa1175eb3ull},
        {Scene::Painted, 256, 192, 0, 95, 0x5a7a7e122a0f0a42ull},
        {Scene::Painted, 256, 192, 3, 100, 0x12d5de59ff7a7b57ull},
        {Scene::Painted, 99, 77, 5, 0, 0xdc4dc83502063e78ull},
        {Scene::Gradient, 9, 5, 2, 95, 0x7846e85bdf5dbe6ull},
        {Scene::Painted, 640, 640, 0, 95, 0xca177d18aaf902fbull},
        {Scene::Natural, 640, 640, 1, 50, 0x61f0df1d188acdd5ull},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "scene " << int(c.scene) << " " << c.width << "x" << c.height << " kind "
                     << c.kind << " strength " << c.strength);
        EXPECT_EQ(Fingerprint(c), c.hash) << std::hex << "0x" << Fingerprint(c);
    }
}

} // namespace
} // namespace murelo
