#pragma once

#include <QPixmap>

namespace murelo::gui {

// The program's icon: the sixteen TMS9918 colours as a 4 x 4 block of dots, drawn at the
// given size.
QPixmap AppIconPixmap(int size);

} // namespace murelo::gui
