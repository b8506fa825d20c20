#include "gui/editor/PictureView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace murelo::gui {

PictureView::PictureView(QWidget* parent, const Picture* picture)
    : QWidget(parent), picture_(picture) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();
}

void PictureView::setPicture(const Picture* picture) {
    picture_ = picture;
    refresh();
}

void PictureView::setScale(int scale) {
    scale_ = std::max(scale, 1);
    refresh();
}

void PictureView::refresh() {
    const int w = picture_ ? picture_->width() : 0;
    const int h = picture_ ? picture_->height() : 0;
    const QSize size(std::max(w * scale_, 1), std::max(h * scale_, 1));
    if (this->size() != size)
        resize(size);
    update();
}

QImage PictureView::WrapPixels(const Picture& picture, QRect rect) {
    rect &= QRect(0, 0, picture.width(), picture.height());
    if (rect.isEmpty())
        return {};
    // 0x00BBGGRR stored little-endian is the byte sequence R, G, B, X.
    const auto* first = reinterpret_cast<const uchar*>(picture.row(rect.top()) + rect.left());
    return QImage(first, rect.width(), rect.height(), qsizetype(picture.width()) * 4,
                  QImage::Format_RGBX8888);
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!picture_ || picture_->empty()) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    const QRect exposed = event->rect();
    const QRect pixels(QPoint(exposed.left() / scale_, exposed.top() / scale_),
                       QPoint(exposed.right() / scale_, exposed.bottom() / scale_));
    const QImage source = WrapPixels(*picture_, pixels);
    if (source.isNull())
        return;
    const QRect clipped = pixels & QRect(0, 0, picture_->width(), picture_->height());
    const QRect target(clipped.left() * scale_, clipped.top() * scale_, clipped.width() * scale_,
                       clipped.height() * scale_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, source);
}

MouseInput ToMouseInput(const QMouseEvent& event, bool fromButtonChange) {
    MouseInput in;
    const QPoint pos = event.position().toPoint();
    in.x = pos.x();
    in.y = pos.y();
    const Qt::MouseButtons buttons =
        fromButtonChange ? Qt::MouseButtons(event.button()) : event.buttons();
    in.left = buttons & Qt::LeftButton;
    in.right = buttons & Qt::RightButton;
    in.shift = event.modifiers() & Qt::ShiftModifier;
    in.ctrl = event.modifiers() & Qt::ControlModifier;
    return in;
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    emit pressed(ToMouseInput(*event, true));
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    emit moved(ToMouseInput(*event, false));
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    emit released(ToMouseInput(*event, true));
}

} // namespace murelo::gui
