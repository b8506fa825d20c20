#include "gui/app/TForm1.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

namespace murelo::gui {

namespace {

constexpr int LargestScalePosition = 5;
constexpr int WheelStep = 120; // a notch of a mouse wheel, in eighths of a degree

} // namespace

void TForm1::connectView() {
    connect(ZoomIn1, &QAction::triggered, this, [this] { ZoomIn1Click(); });
    connect(ZoomOut1, &QAction::triggered, this, [this] { ZoomOut1Click(); });
    connect(ZoomFit1, &QAction::triggered, this, [this] { ZoomFit1Click(); });
    updateZoomItems();
}

void TForm1::ZoomIn1Click() {
    stepScale(+1);
}

void TForm1::ZoomOut1Click() {
    stepScale(-1);
}

void TForm1::updateZoomItems() {
    const int position = session_.view().ScalePosition;
    ZoomIn1->setEnabled(position < LargestScalePosition);
    ZoomOut1->setEnabled(position > 0);
}

QSize TForm1::clientSizeFor(int scale) const {
    const int frame = 2 * scrollArea_->frameWidth();
    return {doc_.PictureWidth * scale + frame,
            doc_.PictureHeight * scale + frame + menuBar()->sizeHint().height()};
}

namespace {

// The room a window's client area may take: the screen's available area less the window
// manager's frame (known once the window is framed), or the client area itself for a
// maximised or full-screen window.
QSize ClientRoom(const QWidget* window) {
    if (window->isMaximized() || window->isFullScreen())
        return window->size();
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return window->size();
    const QSize frame =
        window->isVisible() ? window->frameGeometry().size() - window->size() : QSize(0, 0);
    return screen->availableGeometry().size() - frame;
}

} // namespace

void TForm1::ZoomFit1Click() {
    const QSize room = ClientRoom(this);
    int best = 0;
    for (int position = LargestScalePosition; position > 0 && best == 0; --position) {
        const QSize needed = clientSizeFor(1 << position);
        if (needed.width() <= room.width() && needed.height() <= room.height())
            best = position;
    }
    stepScale(best - session_.view().ScalePosition);
    fitWindowToPicture();
}

void TForm1::fitWindowToPicture() {
    if (isMaximized() || isFullScreen())
        return;
    const QSize room = ClientRoom(this);
    const QSize frameMargins = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    QSize wanted = clientSizeFor(session_.view().Scale);
    // A direction the screen cuts short gets a scroll bar, which takes room from the other.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollArea_);
    if (wanted.width() > room.width())
        wanted.rheight() += bar;
    if (wanted.height() > room.height())
        wanted.rwidth() += bar;
    resize(wanted.boundedTo(room));
    // Scroll bars shown while the window was smaller would stay, taking the room the
    // picture was given: the area lays them out again for its new size.
    for (const auto policy : {Qt::ScrollBarAlwaysOff, Qt::ScrollBarAsNeeded}) {
        scrollArea_->setHorizontalScrollBarPolicy(policy);
        scrollArea_->setVerticalScrollBarPolicy(policy);
    }
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen || !isVisible())
        return;
    // Grown past the screen's edge: moved back onto its available area. The window system
    // reports the new size later, so the frame is reckoned from the size asked for.
    const QRect available = screen->availableGeometry();
    const QRect frame(frameGeometry().topLeft(), wanted.boundedTo(room) + frameMargins);
    const int x = std::clamp(frame.left(), available.left(),
                             std::max(available.left(), available.right() + 1 - frame.width()));
    const int y = std::clamp(frame.top(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - frame.height()));
    if (QPoint(x, y) != frame.topLeft())
        move(x, y);
}

bool TForm1::wheelZoom(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    // A touchpad turns in small amounts: the scale steps once a notch has come together.
    wheelSteps_ += event->angleDelta().y();
    const int steps = wheelSteps_ / WheelStep;
    wheelSteps_ -= steps * WheelStep;
    const int before = session_.view().Scale;
    if (steps == 0)
        return true;
    // The picture point under the pointer stays under it.
    const QPoint global = event->globalPosition().toPoint();
    const QPointF point = QPointF(Image1->mapFromGlobal(global)) / before;
    const QPoint inViewport = scrollArea_->viewport()->mapFromGlobal(global);
    stepScale(steps);
    const int after = session_.view().Scale;
    if (after == before)
        return true;
    const QPointF onCanvas = QPointF(Image1->pos()) + point * after;
    scrollArea_->horizontalScrollBar()->setValue(qRound(onCanvas.x()) - inViewport.x());
    scrollArea_->verticalScrollBar()->setValue(qRound(onCanvas.y()) - inViewport.y());
    return true;
}

QRect TForm1::visiblePictureRect() const {
    const QWidget* viewport = scrollArea_->viewport();
    const QRect picture(Image1->mapToGlobal(QPoint(0, 0)), Image1->size());
    return picture.intersected(QRect(viewport->mapToGlobal(QPoint(0, 0)), viewport->size()));
}

} // namespace murelo::gui
