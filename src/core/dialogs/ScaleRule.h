#pragma once

namespace murelo {

// Display scale of a scale track bar position 0..5: 1, 2, 4, 8, 16, 32.
int ScaleOfPosition(int position);

// The scroll position that keeps a rescaled picture roughly centred in the editor window;
// negative values mean "no scroll" to the scroll bar.
int CentredScrollPosition(int imageExtent, int windowExtent);

} // namespace murelo
