#include "core/dialogs/FreeDrawRule.h"

namespace murelo {

PaintModeEnabling FreeDrawChanged(bool freeDrawChecked, bool fillSelected) {
    return {freeDrawChecked, !freeDrawChecked && fillSelected};
}

} // namespace murelo
