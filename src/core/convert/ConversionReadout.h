#pragma once

#include "core/convert/ConversionState.h"

#include <string>

namespace murelo {

// The converter window's quality readout beside its buttons: "ΔE 5.3", the mean blurred
// CIEDE2000 of the finished result against the picture it was converted from; empty while
// the conversion runs (a half-drawn result would score what is not there yet).
std::string ConversionReadout(const ConversionState& state);

} // namespace murelo
