#include "gui/app/TForm1.h"

#include "gui/app/Windows.h"
#include "gui/export/TForm4.h"

#include <QAction>

namespace murelo::gui {

void TForm1::connectExport() {
    exportWired_ = true;
    connect(Export1, &QAction::triggered, this, [this] {
        // Ignored while a colour check runs: the export would start another one.
        if (!colorCheckRunning() && document().exportAvailable())
            AllWindows().Form4->show();
    });
    updateExportAvailability();
}

} // namespace murelo::gui
