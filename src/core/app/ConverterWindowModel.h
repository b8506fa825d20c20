#pragma once

#include "core/app/ConverterHost.h"
#include "core/app/ConverterWindowState.h"
#include "core/app/EditorSession.h"
#include "core/convert/ConversionState.h"
#include "core/convert/ScreenFileJobs.h"

#include <memory>
#include <string>

namespace murelo {

// What a converter operation changed beyond its own controls (which the window re-reads
// after every call).
struct ConverterChange {
    SessionChange session; // the document and the tool state, as EditorSession reports
    bool result = false;   // the result image (Image6) has new pixels
    bool grid = false;     // the Grid1 check mark changed (session.gridShown)
    bool closed = false;   // the closing steps ran: the window is to be hidden

    ConverterChange& operator|=(const ConverterChange& other);
};

// How a driver is called: a new conversion of the page's current mode, or one more pass
// of the running one.
enum class DriverCall { Start, Continue };

// The Pixel Converter window without a toolkit: its controls, the shared conversion
// parameters, every handler and the conversion drivers. It changes the document only
// through the editor session. Every handler returns what changed; a handler for a control
// the user cannot reach (a disabled button) changes nothing.
class ConverterWindowModel {
  public:
    ConverterWindowModel(EditorSession& session, ConverterHost& host);

    const ConverterControls& controls() const { return controls_; }
    const ConverterWindowState& state() const { return state_; }
    // The running conversion: result image, screen bytes, quantizer palette, progress.
    const ConversionState& conversion() const { return *conversion_; }
    const Picture& result() const { return conversion_->result; }
    // The shared parameters (ColorBalance, HalfToneLevel, YjkBalance, NtscWeighting), held
    // once for every page.
    const ConversionParameters& parameters() const { return conversion_->params; }
    // From the start of opening to the start of closing.
    bool shown() const { return shown_; }
    // The value label's text, "%4d".
    std::string labelText(int label) const;

    // --- the window ---
    ConverterChange FormShow();
    ConverterChange FormHide();
    ConverterChange PageControl1Change(int page); // the user chose a tab
    ConverterChange Timer1Timer();
    // A track bar moved (by the user, or by code: its handler runs either way).
    ConverterChange setTrackBar(int trackBar, int position);
    // A check box changed (by the user or by code: its handler runs when the state changes).
    ConverterChange setCheckBox(int checkBox, bool checked);
    // The user chose an item of a mode list or of "Convert Type".
    ConverterChange chooseMode(int comboBox, int item);
    ConverterChange RadioGroup1Click(int item);
    ConverterChange SyncBalanceControls();
    // Buttons by number: Apply, Reset, Cancel. Save and Export write files through the
    // window's dialogs: runFileButton.
    ConverterChange clickButton(int button);
    // "Save" (Button8, Button1) or "Export" (Button16, Button11, Button5, Button15,
    // Button20) of the page shown: the files of the finished conversion, through the
    // window's dialogs and questions. A disabled button or one of another page is Refused.
    ScreenFileJobResult runFileButton(int button, const ScreenFileHooks& hooks);
    // The remembered bitmap names and the names the save dialogs propose next.
    const ScreenFileSession& fileSession() const { return files_; }
    // New, Open and a dropped picture: the remembered bitmap names are forgotten.
    void forgetFileNames() { files_.remembered.forget(); }
    ConverterChange Button3Click();  // Apply, TMS9918 and PC-8801 pages
    ConverterChange Button12Click(); // Apply, PC-6x01 page
    ConverterChange Button2Click();  // Cancel, every page; also the title bar's close
    ConverterChange resetPage(int page);
    // "Redo the preview": a palette or a drawing colour was chosen in the tool palette.
    ConverterChange redoPreview();

    // --- the drivers ---
    ConverterChange RunConversionForEditMode(DriverCall call);
    ConverterChange RunTms9918Conversion(DriverCall call);
    ConverterChange RunV9938Conversion(DriverCall call);
    ConverterChange RunV9958Conversion(DriverCall call);
    ConverterChange RunPc6001Conversion(DriverCall call);
    ConverterChange RunPc8801Conversion(DriverCall call);
    // Timer ticks until the running conversion is complete (the command line's road).
    ConverterChange runToFinish();

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
    ConverterChange saveEditorState();
    ConverterChange fitDrawingColours();
    void choosePageForEditMode();
    ConverterChange resetBalanceOfShownPage();
    ConverterChange startPage(int page, int mode);
    ConverterChange continueRunning();
    void prepareSource();
    void setStartControls(int page, int mode);
    void finishControls();
    void finished();
    void syncDitherEnabled();
    ConverterChange trackBarChanged(int trackBar);
    ConverterChange checkBoxClicked(int checkBox);
    ConverterChange previewClicked(int page);
    ConverterChange startForPage(int page);
    ConverterChange showResult();
    ConverterChange setEditModeAndDialog(EditModeId mode);
    ConverterChange fitPaletteToEditMode(bool switchAllowed);
    ConverterChange applyResult(bool quickSaveTicked);
    int& parameter(BalanceParameter p);
    EditModeId pc6001DialogMode() const;

    EditorSession& session_;
    ConverterHost& host_;
    std::unique_ptr<ConversionState> conversion_;
    ConverterControls controls_;
    ConverterWindowState state_;
    ScreenFileSession files_;
    bool shown_ = false;
    bool readoutPending_ = false;
    int startCount_ = 0;
};

} // namespace murelo
