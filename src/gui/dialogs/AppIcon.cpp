#include "gui/dialogs/AppIcon.h"

#include "core/palette/Palettes.h"

#include <QPainter>

namespace murelo::gui {

QPixmap AppIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x30, 0x30));
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 8.0, size / 8.0);
    const int cell = (size - size / 6) / 4;
    const int origin = (size - 4 * cell) / 2;
    for (int i = 0; i < 16; ++i) {
        const ColorValue c = PaletteColor(KindTms9918, i == 0 ? 14 : i);
        painter.setBrush(QColor(RedOf(c), GreenOf(c), BlueOf(c)));
        painter.drawRect(origin + (i % 4) * cell + 1, origin + (i / 4) * cell + 1, cell - 2,
                         cell - 2);
    }
    return pixmap;
}

} // namespace murelo::gui
