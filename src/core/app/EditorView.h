#pragma once

namespace murelo {

// How the editor shows the picture and reads the mouse: state of the window around the
// document, not of the picture, so it is never saved, undone or replaced by a load.
struct EditorView {
    int ScalePosition = 0; // the scale track bar position 0..5
    int Scale = 1;         // always 1 << ScalePosition
    // Cleared after a file dialog or file operation, so the click that closed it does not
    // paint; the next move or release arms it again.
    bool InputArmed = true;
    int ShiftLockRow = -1; // the row a Shift drag keeps to, -1 when none
    int CursorX = 0;       // the cell cursor in display pixels
    int CursorY = 0;
    bool FromCellFrame = false; // the event being handled arrived on the cell frame
    int LastX = 0;              // the last painted position in picture pixels
    int LastY = 0;
};

// The scroll position that keeps a rescaled picture roughly centred in the editor window;
// negative values mean "no scroll" to the scroll bar.
constexpr int CentredScrollPosition(int imageExtent, int windowExtent) {
    return (imageExtent - windowExtent + 71) / 2;
}

} // namespace murelo
