#include "core/editor/PackedValues.h"

#include <gtest/gtest.h>

using namespace murelo;

namespace {

// `count` values cycling through `distinct` different ones.
std::vector<std::uint32_t> Cycle(std::size_t count, std::uint32_t distinct) {
    std::vector<std::uint32_t> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = 0x01010101u * std::uint32_t((i * 7) % distinct) + 0x00ABCDEFu;
    return values;
}

} // namespace

TEST(PackedValues, XorUnpackRestoresEveryValueForAnyNumberOfDistinctValues) {
    for (std::uint32_t distinct : {1u, 2u, 3u, 4u, 5u, 16u, 17u, 300u}) {
        for (std::size_t count :
             {std::size_t(1), std::size_t(31), std::size_t(33), std::size_t(1000)}) {
            const std::vector<std::uint32_t> values = Cycle(count, distinct);
            std::vector<std::uint32_t> words{0xDEADBEEF}; // packing appends after this
            const std::uint32_t header = PackValues(values.data(), count, words);
            std::vector<std::uint32_t> target(count, 0x5555AAAAu);
            std::size_t offset = 1;
            UnpackXorInto(header, words, offset, target.data(), count);
            EXPECT_EQ(offset, words.size()) << distinct << " / " << count;
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(target[i], values[i] ^ 0x5555AAAAu) << distinct << " / " << count;
        }
    }
}

TEST(PackedValues, FewDistinctValuesTakeFewBits) {
    const std::vector<std::uint32_t> twoValues = Cycle(3200, 2);
    std::vector<std::uint32_t> words;
    PackValues(twoValues.data(), twoValues.size(), words);
    EXPECT_EQ(words.size(), 2u + 100u); // palette of two, then one bit per value

    const std::vector<std::uint32_t> many = Cycle(3200, 40);
    words.clear();
    PackValues(many.data(), many.size(), words);
    EXPECT_EQ(words.size(), 3200u);
}

TEST(PackedValues, TwoPackedSequencesFollowEachOther) {
    const std::vector<std::uint32_t> first = Cycle(45, 3);
    const std::vector<std::uint32_t> second = Cycle(20, 20);
    std::vector<std::uint32_t> words;
    const std::uint32_t h1 = PackValues(first.data(), first.size(), words);
    const std::uint32_t h2 = PackValues(second.data(), second.size(), words);
    std::vector<std::uint32_t> a(45, 0);
    std::vector<std::uint32_t> b(20, 0);
    std::size_t offset = 0;
    UnpackXorInto(h1, words, offset, a.data(), a.size());
    UnpackXorInto(h2, words, offset, b.data(), b.size());
    EXPECT_EQ(a, first);
    EXPECT_EQ(b, second);
}
