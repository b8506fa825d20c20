#pragma once

#include "core/app/ConverterHost.h"

namespace murelo::gui {

class TForm1;

// The converter's view of the windows around it: the Set Edit Mode dialog's choice, the
// tool palette, and the question before Apply.
class ConverterGuiHost : public ConverterHost {
  public:
    explicit ConverterGuiHost(TForm1* form1) : form1_(form1) {}

    bool confirm(const std::string& text, const std::string& caption) override;
    EditModeId editModeChoice() const override;
    void setEditModeChoice(EditModeId mode) override;
    void rememberEditModeChoice(EditModeId mode) override;
    void layoutToolPalette() override;
    void showPaletteKind(PaletteKindId kind) override;
    void redrawToolColours() override;
    void setPositionLabel(const std::string& text) override;
    void setOddLineBox(bool checked, bool enabled) override;

  private:
    TForm1* form1_;
};

} // namespace murelo::gui
