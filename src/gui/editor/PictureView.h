#pragma once

#include "core/editor/Picture.h"

#include <QImage>
#include <QWidget>

namespace murelo::gui {

// What a mouse event on the picture carries: display coordinates and the button and
// modifier state the painting rules look at.
struct MouseInput {
    int x = 0;
    int y = 0;
    bool left = false;
    bool right = false;
    bool shift = false;
    bool ctrl = false;
};

// Shows a picture magnified by an integer scale, nearest neighbour. Only the exposed
// part is drawn, straight from the picture's own pixel buffer, so even x32 of a
// 640 x 640 picture never needs a scaled copy in memory.
class PictureView : public QWidget {
    Q_OBJECT
  public:
    explicit PictureView(QWidget* parent, const Picture* picture = nullptr);

    void setPicture(const Picture* picture);
    const Picture* picture() const { return picture_; }
    // Resizes the widget to the picture's size times scale.
    void setScale(int scale);
    int scale() const { return scale_; }
    // Re-reads the picture's size (after it was replaced) and repaints.
    void refresh();

    // The pixels of rect (picture coordinates, clipped) as an image over the
    // picture's own buffer: valid only while the picture is unchanged in size.
    static QImage WrapPixels(const Picture& picture, QRect rect);

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
    const Picture* picture_ = nullptr;
    int scale_ = 1;
};

// The mouse state of a Qt event in the form the painting rules use. A press or
// release names the button that changed; a move names the buttons held.
MouseInput ToMouseInput(const QMouseEvent& event, bool fromButtonChange);

} // namespace murelo::gui
