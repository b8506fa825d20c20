#pragma once

#include "core/app/Document.h"

#include <QGroupBox>

class QButtonGroup;

namespace murelo::gui {

// The "Pixel Mode (Aspect Ratio)" radio group of the New and Set Edit Mode dialogs; its
// item index is the edit mode.
class PixelModeGroup : public QGroupBox {
    Q_OBJECT
  public:
    PixelModeGroup(QWidget* parent, const char* objectName);

    int itemIndex() const;
    // Selects an item as the program: no itemClicked() follows.
    void setItemIndex(int index);
    EditModeId mode() const { return EditModeOfNumber(itemIndex()); }
    void setMode(EditModeId mode) { setItemIndex(EditModeNumber(mode)); }

  signals:
    // A user's click on an item.
    void itemClicked(int index);

  private:
    QButtonGroup* buttons_;
};

} // namespace murelo::gui
