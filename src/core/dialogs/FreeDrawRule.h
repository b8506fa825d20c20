#pragma once

namespace murelo {

// "Fill" may be chosen only while "Free Draw" is checked; unchecking it moves a chosen
// "Fill" back to "Pen".
struct PaintModeEnabling {
    bool fillEnabled;
    bool selectPen;
};

PaintModeEnabling FreeDrawChanged(bool freeDrawChecked, bool fillSelected);

} // namespace murelo
