#include "core/dialogs/ScaleRule.h"

#include <algorithm>

namespace murelo {

int ScaleOfPosition(int position) {
    return 1 << std::clamp(position, 0, 5);
}

int CentredScrollPosition(int imageExtent, int windowExtent) {
    return (imageExtent - windowExtent + 71) / 2;
}

} // namespace murelo
