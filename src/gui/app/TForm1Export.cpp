#include "gui/app/TForm1.h"

namespace murelo::gui {

// Wired once the windows of this subsystem are built; until then their menu items stay disabled.
void TForm1::connectExport() {}

} // namespace murelo::gui
