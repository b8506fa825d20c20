#pragma once

#include "core/editor/EditMode.h"
#include "core/palette/Palettes.h"

#include <string>

namespace murelo {

// What the Pixel Converter needs from the windows around it that are not the document:
// the Edit Mode dialog's pixel-mode choice, the tool palette's view, and the question
// before Apply. The window supplies one; HeadlessConverterHost serves the command line
// and the tests.
class ConverterHost {
  public:
    virtual ~ConverterHost() = default;

    // "OK?" with the caption; true only for OK.
    virtual bool confirm(const std::string& text, const std::string& caption) = 0;
    // The Edit Mode dialog's pixel mode (its radio group) and its remembered choice.
    virtual EditModeId editModeChoice() const = 0;
    virtual void setEditModeChoice(EditModeId mode) = 0;
    virtual void rememberEditModeChoice(EditModeId mode) = 0;
    // The tool palette: laid out for the document's EditMode (panels, Free Draw, Odd Line,
    // aspect label), the palette button of a kind marked, its colours redrawn from the
    // tool state, its position label, and its Odd Line box (ticked from the tool state).
    virtual void layoutToolPalette() {}
    virtual void showPaletteKind(PaletteKindId /*kind*/) {}
    virtual void redrawToolColours() {}
    virtual void setPositionLabel(const std::string& /*text*/) {}
    virtual void setOddLineBox(bool /*checked*/, bool /*enabled*/) {}
};

// Keeps the dialog's choice in plain fields and answers every question with `answer`.
class HeadlessConverterHost : public ConverterHost {
  public:
    bool confirm(const std::string& text, const std::string& caption) override {
        lastQuestion = text;
        lastCaption = caption;
        ++questions;
        return answer;
    }
    EditModeId editModeChoice() const override { return choice; }
    void setEditModeChoice(EditModeId mode) override { choice = mode; }
    void rememberEditModeChoice(EditModeId mode) override { remembered = mode; }
    void setPositionLabel(const std::string& text) override { positionLabel = text; }
    void setOddLineBox(bool checked, bool enabled) override {
        oddLineChecked = checked;
        oddLineEnabled = enabled;
    }

    bool answer = true;
    int questions = 0;
    std::string lastQuestion;
    std::string lastCaption;
    EditModeId choice = EditModeId::Tms99x8;
    EditModeId remembered = EditModeId::Tms99x8;
    std::string positionLabel;
    bool oddLineChecked = false;
    bool oddLineEnabled = true;
};

} // namespace murelo
