#include "core/editor/BsaveHeader.h"

#include <gtest/gtest.h>

namespace murelo {
namespace {

TEST(BsaveHeader, LittleEndianWordsAfterTheType) {
    EXPECT_EQ(BsaveHeader(0x1800, 0x1AFF, 0x1800),
              (BsaveHeaderBytes{0xFE, 0x00, 0x18, 0xFF, 0x1A, 0x00, 0x18}));
    EXPECT_EQ(BsaveHeader(0x1234, 0xFA9F, 0xABCD),
              (BsaveHeaderBytes{0xFE, 0x34, 0x12, 0x9F, 0xFA, 0xCD, 0xAB}));
}

TEST(BsaveHeader, ExecutionDefaultsToStart) {
    EXPECT_EQ(BsaveHeader(0x2000, 0x37FF),
              (BsaveHeaderBytes{0xFE, 0x00, 0x20, 0xFF, 0x37, 0x00, 0x20}));
}

} // namespace
} // namespace murelo
