#include "gui/palette/PixelImage.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace murelo::gui {

PixelImage::PixelImage(QWidget* parent, int width, int height)
    : QWidget(parent), picture_(width, height, 0) {
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PixelImage::paintEvent(QPaintEvent*) {
    // The pixel buffer is laid out as RGBX bytes, so it can be shown without a copy.
    const QImage image(reinterpret_cast<const uchar*>(picture_.pixels().data()), picture_.width(),
                       picture_.height(), picture_.width() * 4, QImage::Format_RGBX8888);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), image);
}

QPoint PixelImage::toPicture(const QPointF& position) const {
    // Positions outside the control (a drag that left it) map outside the picture too.
    const double sx = double(picture_.width()) / width();
    const double sy = double(picture_.height()) / height();
    return {int(std::floor(position.x() * sx)), int(std::floor(position.y() * sy))};
}

void PixelImage::mousePressEvent(QMouseEvent* event) {
    const QPoint p = toPicture(event->position());
    emit pressed(p.x(), p.y(), event->button());
}

void PixelImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = toPicture(event->position());
    emit moved(p.x(), p.y());
}

void PixelImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = toPicture(event->position());
    emit released(p.x(), p.y(), event->button());
}

} // namespace murelo::gui
