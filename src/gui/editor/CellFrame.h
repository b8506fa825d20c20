#pragma once

#include "gui/editor/PictureView.h"

#include <QImage>
#include <QWidget>

namespace murelo::gui {

// The dotted outline of one 8 x 8 cell laid over the picture. Only the outline is
// drawn; the rest of the frame is see-through, but its mouse events are still its
// own and are handed on to the picture by the main window.
class CellFrame : public QWidget {
    Q_OBJECT
  public:
    explicit CellFrame(QWidget* parent);

    // Rebuilds the outline for cells of side pixels.
    void rebuild(int side);
    const QImage& image() const { return image_; }

    static constexpr QRgb DotColor = 0xFFC0C0C0;

  signals:
    void pressed(const MouseInput& input);
    void moved(const MouseInput& input);
    void released(const MouseInput& input);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QImage image_;
};

} // namespace murelo::gui
