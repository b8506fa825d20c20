#include "core/dialogs/ExportEnabling.h"

#include <gtest/gtest.h>

using namespace murelo;

TEST(ExportEnabling, BinaryDataOffersTheBinaryOptions) {
    const ExportEnabling normal = ExportControlsEnabling(0, false);
    EXPECT_TRUE(normal.binaryOptions);
    EXPECT_FALSE(normal.compressOptions);
    EXPECT_FALSE(normal.tapeOptions);
    EXPECT_FALSE(normal.wavOptions);
    EXPECT_TRUE(ExportControlsEnabling(0, true).compressOptions);
}

TEST(ExportEnabling, TapesOfferStartAddressAndNameWavAlsoVolumeAndBaud) {
    const ExportEnabling cas = ExportControlsEnabling(1, true);
    EXPECT_FALSE(cas.binaryOptions);
    EXPECT_FALSE(cas.compressOptions);
    EXPECT_TRUE(cas.tapeOptions);
    EXPECT_FALSE(cas.wavOptions);
    const ExportEnabling wav = ExportControlsEnabling(2, false);
    EXPECT_TRUE(wav.tapeOptions);
    EXPECT_TRUE(wav.wavOptions);
    EXPECT_FALSE(wav.binaryOptions);
}

TEST(ExportEnabling, TheScreen2ImageHasNoOptionsToSet) {
    for (bool compress : {false, true}) {
        const ExportEnabling sc2 = ExportControlsEnabling(3, compress);
        EXPECT_FALSE(sc2.binaryOptions);
        EXPECT_FALSE(sc2.compressOptions);
        EXPECT_FALSE(sc2.tapeOptions);
        EXPECT_FALSE(sc2.wavOptions);
    }
}
