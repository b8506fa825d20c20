#pragma once

namespace murelo {

// The five pages of the converter, in the order of the window's tabs.
enum class ConverterPage : int { Tms9918 = 0, V9938 = 1, V9958 = 2, Pc6001 = 3, Pc8801 = 4 };
inline constexpr int ConverterPageCount = 5;

} // namespace murelo
