#include "gui/editor/CellFrame.h"

#include <QMouseEvent>
#include <QPainter>

namespace murelo::gui {

CellFrame::CellFrame(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    rebuild(8);
}

void CellFrame::rebuild(int side) {
    image_ = QImage(side, side, QImage::Format_ARGB32);
    image_.fill(Qt::transparent);
    // A dotted pen: every other pixel of the closed outline, walked clockwise from (0, 0).
    int step = 0;
    auto dot = [&](int x, int y) {
        if (step++ % 2 == 0)
            image_.setPixel(x, y, DotColor);
    };
    const int last = side - 1;
    for (int x = 0; x < last; ++x)
        dot(x, 0);
    for (int y = 0; y < last; ++y)
        dot(last, y);
    for (int x = last; x > 0; --x)
        dot(x, last);
    for (int y = last; y > 0; --y)
        dot(0, y);
    // The bottom-left pixel is the see-through colour of the frame's bitmap.
    image_.setPixel(0, last, qRgba(0, 0, 0, 0));
    resize(side, side);
    update();
}

void CellFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void CellFrame::mousePressEvent(QMouseEvent* event) {
    emit pressed(ToMouseInput(*event, true));
}

void CellFrame::mouseMoveEvent(QMouseEvent* event) {
    emit moved(ToMouseInput(*event, false));
}

void CellFrame::mouseReleaseEvent(QMouseEvent* event) {
    emit released(ToMouseInput(*event, true));
}

} // namespace murelo::gui
