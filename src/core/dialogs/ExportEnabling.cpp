#include "core/dialogs/ExportEnabling.h"

namespace murelo {

ExportEnabling ExportControlsEnabling(int dataType, bool compressChosen) {
    const bool binary = dataType == 0;
    const bool tape = dataType == 1 || dataType == 2; // the SCREEN 2 image (3) has no options
    return {binary, binary && compressChosen, tape, dataType == 2};
}

} // namespace murelo
