#include "core/dialogs/ExportEnabling.h"

namespace murelo {

ExportEnabling ExportControlsEnabling(int dataType, bool compressChosen) {
    const bool binary = dataType == 0;
    return {binary, binary && compressChosen, !binary, dataType == 2};
}

} // namespace murelo
