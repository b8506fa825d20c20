#include "core/dialogs/ExportDialogModel.h"

#include "core/export/Sc2Image.h"

namespace murelo {

ExportEnabling ExportDialogModel::chooseDataType(ExportDataType type) {
    dataType_ = type;
    return enabling();
}

ExportEnabling ExportDialogModel::chooseCompress(bool compress) {
    compress_ = compress;
    return enabling();
}

ExportEnabling ExportDialogModel::enabling() const {
    const bool binary = dataType_ == ExportBinaryData;
    return {.binaryOptions = binary,
            .compressOptions = binary && compress_,
            .tapeOptions = dataType_ == ExportCasData || dataType_ == ExportWavData,
            .wavOptions = dataType_ == ExportWavData};
}

std::string_view ExportDialogModel::NameFilter(ExportSaveDialog dialog) {
    // The filter texts before the '|' of the tape filters.
    switch (dialog) {
    case ExportSaveDialog::Cas:
        return CasSaveFilter.substr(0, CasSaveFilter.find('|'));
    case ExportSaveDialog::Wav:
        return WavSaveFilter.substr(0, WavSaveFilter.find('|'));
    case ExportSaveDialog::Sc2:
        return Sc2SaveFilter.substr(0, Sc2SaveFilter.find('|'));
    case ExportSaveDialog::Binary:
        break;
    }
    return {};
}

} // namespace murelo
