#include "gui/convert/ConverterGuard.h"

#include "gui/app/TForm1.h"
#include "gui/convert/TForm10.h"
#include "gui/editor/CellFrame.h"

#include <QApplication>
#include <QKeyEvent>

namespace murelo::gui {

namespace {

bool IsMouseEvent(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseMove || type == QEvent::MouseButtonDblClick;
}

bool IsDropEvent(QEvent::Type type) {
    return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
}

} // namespace

ConverterGuard::ConverterGuard(TForm1* form1, TForm10* form10)
    : QObject(form10), form1_(form1), form10_(form10) {
    // Application-wide, so it sees the keys before the editor's own filters do.
    qApp->installEventFilter(this);
}

ConverterGuard::~ConverterGuard() {
    if (qApp)
        qApp->removeEventFilter(this);
}

bool ConverterGuard::blocks(QObject* watched, QEvent* event) const {
    const QEvent::Type type = event->type();
    if (IsMouseEvent(type))
        return watched == form1_->Image1 || watched == static_cast<QObject*>(form1_->Image8);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != form1_)
        return false;
    if (IsDropEvent(type))
        return true;
    if (type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrlTab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                             (key->modifiers() & Qt::ControlModifier);
        return key->key() == Qt::Key_R || ctrlTab;
    }
    return false;
}

bool ConverterGuard::eventFilter(QObject* watched, QEvent* event) {
    if (!form10_->model().shown())
        return false;
    if (watched == form1_->Image1 &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        form10_->Image6->setScale(form1_->session().view().Scale);
        form10_->Image6->move(form1_->Image1->pos());
        return false;
    }
    if (blocks(watched, event)) {
        event->ignore();
        return true;
    }
    return false;
}

} // namespace murelo::gui
