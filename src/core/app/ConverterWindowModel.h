#pragma once

#include "core/app/ConverterHost.h"
#include "core/app/ConverterWindowState.h"
#include "core/app/EditorSession.h"
#include "core/convert/Conversion.h"
#include "core/convert/ScreenFileJobs.h"

#include <memory>
#include <string>

namespace murelo {

// What a converter operation changed beyond its own controls (which the window re-reads
// after every call).
struct ConverterChange {
    SessionChange session; // the document and the tool state, as EditorSession reports
    bool result = false;   // the result image has new pixels
    bool grid = false;     // the grid's check mark changed (session.gridShown)
    bool closed = false;   // the closing steps ran: the window is to be hidden

    ConverterChange& operator|=(const ConverterChange& other);
};

// The Pixel Converter window without a toolkit: its controls, the shared conversion
// parameters, every handler and the running conversion. It changes the document only
// through the editor session. Every operation returns what changed; an operation the user
// cannot reach (a disabled button) changes nothing.
class ConverterWindowModel {
  public:
    ConverterWindowModel(EditorSession& session, ConverterHost& host);

    const ConverterControls& controls() const { return controls_; }
    const ConverterWindowState& state() const { return state_; }
    // The running conversion: result image, screen bytes, quantizer palette, progress.
    const ConversionState& conversion() const { return *conversion_; }
    const Picture& result() const { return conversion_->result; }
    // The shared parameters (balance, half tone, YJK balance, weighting, boxes, dither), held
    // once for every page.
    const ConversionParameters& parameters() const { return params_; }
    // Whether a parameter's control on a page can be used now.
    bool enabled(ConverterPage page, Parameter parameter) const;
    // From the start of opening to the start of closing.
    bool shown() const { return shown_; }

    // --- the window ---
    // Tool > Pixel Converter: the opening steps and the first conversion.
    ConverterChange open();
    // The user chose a tab.
    ConverterChange choosePage(ConverterPage page);
    // The user chose an item of a page's mode list.
    ConverterChange chooseMode(ModeId mode);
    // A track bar, box or the "Convert Type" group changed a parameter (by the user, or by
    // code: the handler runs either way; a value already stored starts nothing).
    ConverterChange setParameter(Parameter parameter, int value);
    // A page's "Preview" box: what the main window shows, on that page only.
    ConverterChange setPreview(ConverterPage page, bool ticked);
    // "Quick Save before Applying" (shown on three pages, one setting) and "Connect Palette".
    ConverterChange setQuickSave(bool ticked);
    ConverterChange setConnectPalette(bool ticked);
    // The window's timer: one more pass of the running conversion.
    ConverterChange tick();
    // Timer ticks until the running conversion is complete.
    ConverterChange runToFinish();
    // "Apply": the result becomes the picture (one undo step) and the window closes.
    ConverterChange apply();
    // "Reset": the shown page's colour controls (or the YJK bars) and its Dither back to
    // their defaults.
    ConverterChange reset();
    // "Cancel", Escape and the title bar's close: the picture, its pixel mode and palette as
    // they were.
    ConverterChange cancel();
    // "Export" of the shown page: the files of the finished conversion, through the window's
    // dialogs and questions. A disabled button is Refused.
    ScreenFileJobResult exportFiles(const ScreenFileHooks& hooks);
    // "Save" of the V9938 and V9958 pages: the bitmap of the finished conversion.
    ScreenFileJobResult saveBitmap(const ScreenFileHooks& hooks);
    // The remembered bitmap names and the names the save dialogs propose next.
    const ScreenFileSession& fileSession() const { return files_; }
    // New, Open and a dropped picture: the remembered bitmap names are forgotten.
    void forgetFileNames() { files_.remembered.forget(); }
    // "Redo the preview": a palette or a drawing colour was chosen in the tool palette.
    ConverterChange redoPreview();

    // The readout of a finished conversion is measured once, apart from the finish itself
    // (it costs more than many conversions, so a drag must not wait for it at every
    // step): pending from a finish until it is measured or a new start supersedes it.
    bool readoutPending() const { return readoutPending_; }
    // Measures the pending readout into controls().readout; nothing when none is pending.
    ConverterChange measureReadout();

    // How many conversions were started so far (a drag shows one per step).
    int startCount() const { return startCount_; }
    // For a test: the time budget of every pass.
    void setPassBudget(const PassBudget& budget) { conversion_->budget = budget; }

  private:
    ConverterChange close();
    ConverterChange saveEditorState();
    ConverterChange fitDrawingColours();
    void choosePageForEditMode();
    ConverterChange resetBalanceOfShownPage();
    ConverterChange start();
    ConverterChange continueRunning();
    void setStartControls(const ModeDescriptor& mode);
    void finished();
    ConverterChange showResult();
    ConverterChange setEditModeAndDialog(EditModeId mode);
    ConverterChange fitPaletteToEditMode(bool switchAllowed);
    ConverterChange restoreDrawingColours();
    ConverterChange chooseConvertType(int item);
    ModeId shownMode() const { return controls_.mode[std::size_t(controls_.page)]; }

    EditorSession& session_;
    ConverterHost& host_;
    std::unique_ptr<ConversionState> conversion_;
    ConversionParameters params_;
    ConverterControls controls_;
    ConverterWindowState state_;
    ScreenFileSession files_;
    bool shown_ = false;
    bool readoutPending_ = false;
    int startCount_ = 0;
};

} // namespace murelo
