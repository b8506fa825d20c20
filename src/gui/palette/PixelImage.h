#pragma once

#include "core/editor/Picture.h"

#include <QWidget>

namespace murelo::gui {

// An image control of the tool palette: shows a small picture stretched to the control's
// size (nearest neighbour) and reports mouse events in the picture's own coordinates.
class PixelImage : public QWidget {
    Q_OBJECT
  public:
    PixelImage(QWidget* parent, int width, int height);

    Picture& picture() { return picture_; }
    const Picture& picture() const { return picture_; }
    // Call after drawing into picture().
    void refresh() { update(); }

  signals:
    void pressed(int x, int y, Qt::MouseButton button);
    void moved(int x, int y);
    void released(int x, int y, Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPoint toPicture(const QPointF& position) const;

    Picture picture_;
};

} // namespace murelo::gui
