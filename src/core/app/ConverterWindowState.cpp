#include "core/app/ConverterWindowState.h"

#include <cstdio>

namespace murelo {

std::string ValueLabelText(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%4d", value);
    return text;
}

} // namespace murelo
