#include "core/dialogs/ExportDialogModel.h"

#include <string>

#include <gtest/gtest.h>

using namespace murelo;

namespace {
ExportEnabling ExportControlsEnabling(int dataType, bool compress) {
    ExportDialogModel model;
    model.chooseCompress(compress);
    return model.chooseDataType(static_cast<ExportDataType>(dataType));
}
} // namespace

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

TEST(ExportDialog, CompressOptionsFollowTheUsersClicksInEitherOrder) {
    ExportDialogModel model;
    EXPECT_FALSE(model.enabling().compressOptions); // "Normal" at start
    EXPECT_TRUE(model.chooseCompress(true).compressOptions);
    // A tape type greys them; back to binary they return, as "Compress" is still chosen.
    EXPECT_FALSE(model.chooseDataType(ExportCasData).compressOptions);
    EXPECT_TRUE(model.chooseDataType(ExportBinaryData).compressOptions);
    EXPECT_FALSE(model.chooseCompress(false).compressOptions);
    EXPECT_EQ(model.dataType(), ExportBinaryData);
    EXPECT_FALSE(model.compress());
}

TEST(ExportDialog, EachSaveDialogHasItsFilter) {
    EXPECT_EQ(ExportDialogModel::NameFilter(ExportSaveDialog::Binary), "");
    EXPECT_EQ(ExportDialogModel::NameFilter(ExportSaveDialog::Cas), "Tape Image (*.CAS)");
    EXPECT_EQ(ExportDialogModel::NameFilter(ExportSaveDialog::Wav), "Tape WAV Image (*.WAV)");
    EXPECT_EQ(SaveDialogNumber(ExportSaveDialog::Wav), 3);
    EXPECT_EQ(ExportDialogModel::NameFilter(ExportSaveDialog::Sc2), "SCREEN 2 IMAGE (*.SC2)");
    EXPECT_EQ(SaveDialogNumber(ExportSaveDialog::Sc2), 4);
}

TEST(ExportEnabling, TheScreen2ImageHasNoOptionsToSet) {
    for (bool compress : {false, true}) {
        const ExportEnabling sc2 = ExportControlsEnabling(ExportSc2Data, compress);
        EXPECT_FALSE(sc2.binaryOptions);
        EXPECT_FALSE(sc2.compressOptions);
        EXPECT_FALSE(sc2.tapeOptions);
        EXPECT_FALSE(sc2.wavOptions);
    }
}
