#include "core/app/ConverterWindowModel.h"

#include "core/convert/ConversionDriver.h"
#include "core/convert/Graphic2Dither.h"
#include "core/palette/Palettes.h"

#include <algorithm>
#include <cstdio>

namespace murelo {

namespace {

constexpr std::array<int, 3> NtscBoxes = {10, 8, 14};
constexpr std::array<int, 3> QuickSaveBoxes = {3, 9, 15};

// The page a "Preview" box belongs to, or -1.
int PageOfPreviewBox(int box) {
    for (int page = 0; page < ConverterPageCount; ++page)
        if (PreviewBoxOf(page) == box)
            return page;
    return -1;
}

bool IsOneOf(int value, std::initializer_list<int> values) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

// The palette family a page's pixel mode returns to (the edit-mode apply step).
PaletteKindId FamilyKind(EditModeId editMode) {
    if (editMode == EditModeId::Pc8801Tall)
        return PaletteKindId::Pc8801;
    return editMode == EditModeId::Tms99x8 ? PaletteKindId::Tms9918 : PaletteKindId::Color15;
}

} // namespace

ConverterChange& ConverterChange::operator|=(const ConverterChange& other) {
    session |= other.session;
    result |= other.result;
    grid |= other.grid;
    closed |= other.closed;
    return *this;
}

ConverterWindowModel::ConverterWindowModel(EditorSession& session, ConverterHost& host)
    : session_(session), host_(host), conversion_(std::make_unique<ConversionState>()) {
    for (int bar = 1; bar <= TrackBarCount; ++bar) {
        const TrackBarInfo& info = TrackBarOf(bar);
        controls_.trackBar[std::size_t(bar)] = parameter(info.parameter);
        controls_.labelValue[std::size_t(info.label)] = parameter(info.parameter);
    }
    for (int box : {1, 2, 3, 4, 6, 7, 9, 13, 15})
        controls_.checkBox[std::size_t(box)] = true;
    controls_.checkBoxEnabled.fill(true);
    controls_.buttonEnabled.fill(true);
    controls_.trackBarEnabled.fill(true);
    syncDitherEnabled();
}

void ConverterWindowModel::syncDitherEnabled() {
    // Only the dithered mode reads the strength.
    controls_.trackBarEnabled[DitherTrackBar] = controls_.comboBox[1] == Graphic2DitheredMode;
}

std::string ConverterWindowModel::labelText(int label) const {
    char text[16];
    std::snprintf(text, sizeof text, "%4d", controls_.labelValue.at(std::size_t(label)));
    return text;
}

int& ConverterWindowModel::parameter(BalanceParameter p) {
    ConversionParameters& params = conversion_->params;
    switch (p) {
    case BalanceParameter::Red:
        return params.Balance.RedOffset;
    case BalanceParameter::Green:
        return params.Balance.GreenOffset;
    case BalanceParameter::Blue:
        return params.Balance.BlueOffset;
    case BalanceParameter::Brightness:
        return params.Balance.Brightness;
    case BalanceParameter::Contrast:
        return params.Balance.Contrast;
    case BalanceParameter::HalfTone:
        return params.HalfToneLevel;
    case BalanceParameter::Y:
        return params.Yjk.YOffset;
    case BalanceParameter::J:
        return params.Yjk.JOffset;
    case BalanceParameter::Dither:
        return params.DitherStrength;
    case BalanceParameter::K:
        break;
    }
    return params.Yjk.KOffset;
}

EditModeId ConverterWindowModel::pc6001DialogMode() const {
    const int item = controls_.comboBox[4];
    return item == 0 || item == 4 ? EditModeId::Pc6001 : EditModeId::Pc6001Wide;
}

// --- opening and closing ---

ConverterChange ConverterWindowModel::FormShow() {
    ConverterChange change;
    if (shown_)
        return change;
    shown_ = true;
    change |= saveEditorState();
    controls_.timerRunning = false;
    change |= setCheckBox(PreviewV9958, true);
    const Document& doc = session_.document();
    controls_.buttonEnabled[5] = doc.PictureWidth == 256 && doc.PictureHeight <= 212;
    change |= fitDrawingColours();
    choosePageForEditMode();
    host_.setPositionLabel("X :\nY :");
    change.session |= session_.setEditMode(host_.editModeChoice());
    change |= fitPaletteToEditMode(false);
    change |= resetBalanceOfShownPage();
    change |= RunConversionForEditMode(DriverCall::Start);
    change |= showResult();
    controls_.editorLocked = true;
    return change;
}

ConverterChange ConverterWindowModel::saveEditorState() {
    ConverterChange change;
    const Document& doc = session_.document();
    ToolState& tool = session_.tool();
    state_.Applied = false;
    state_.SavedRecolour = doc.RecolorOnPaletteChange;
    // A palette picked while the window is open restarts the conversion instead.
    change.session |= session_.setRecolorOnPaletteChange(false);
    state_.SavedGridMark = session_.gridShown;
    session_.gridShown = false;
    change.grid = true;
    state_.SavedEditMode = doc.EditMode;
    state_.SavedPaletteKind = doc.PaletteKind;
    state_.SavedOddLine = tool.OddLine;
    tool.OddLine = false;
    host_.setOddLineBox(false, false);
    return change;
}

ConverterChange ConverterWindowModel::fitDrawingColours() {
    ConverterChange change;
    const Document& doc = session_.document();
    ToolState& tool = session_.tool();
    if (PaletteIndexOf(tool.ForegroundColor, doc.PaletteKind) >= 0)
        return change;
    const IndexRange& range = ConversionRange(KindNumber(doc.PaletteKind));
    tool.ForegroundIndex = range.first;
    tool.BackgroundIndex = range.last;
    tool.ForegroundColor = PaletteColor(doc.PaletteKind, range.first);
    tool.BackgroundColor = PaletteColor(doc.PaletteKind, range.last);
    host_.redrawToolColours();
    change.session.colors = true;
    return change;
}

void ConverterWindowModel::choosePageForEditMode() {
    // Every pixel mode sets the dialog's choice, so a choice left by a cancelled Edit Mode
    // dialog is never applied when opening makes the choice the picture's pixel mode.
    switch (session_.document().EditMode) {
    case EditModeId::Pc6001Wide:
    case EditModeId::Pc6001:
        controls_.page = int(ConverterPage::Pc6001);
        host_.setEditModeChoice(pc6001DialogMode());
        break;
    case EditModeId::Pc8801Tall:
        controls_.page = int(ConverterPage::Pc8801);
        host_.setEditModeChoice(EditModeId::Pc8801Tall);
        break;
    default:
        controls_.page = int(ConverterPage::Tms9918);
        host_.setEditModeChoice(EditModeId::Tms99x8);
        break;
    }
}

ConverterChange ConverterWindowModel::resetBalanceOfShownPage() {
    ConverterChange change;
    const std::array<int, 5> bars = ColourTrackBars(controls_.page);
    const ColorBalance defaults;
    const std::array<int, 5> values = {defaults.RedOffset, defaults.GreenOffset,
                                       defaults.BlueOffset, defaults.Brightness, defaults.Contrast};
    for (std::size_t i = 0; i < bars.size(); ++i)
        change |= setTrackBar(bars[i], values[i]);
    change |= setTrackBar(HalfToneTrackBar(controls_.page), 3);
    conversion_->params.Balance = defaults;
    conversion_->params.HalfToneLevel = 3;
    return change;
}

ConverterChange ConverterWindowModel::FormHide() {
    ConverterChange change;
    if (!shown_)
        return change;
    shown_ = false;
    const bool applied = state_.Applied;
    if (!applied) {
        change.session |= session_.setEditMode(state_.SavedEditMode);
        change.session |= session_.switchPalette(state_.SavedPaletteKind, false);
    }
    state_.Applied = false;
    const Document& doc = session_.document();
    const EditModeId mode = doc.EditMode;
    if (mode != EditModeId::Pc8801Tall) {
        if (mode != EditModeId::Tms99x8)
            host_.setEditModeChoice(mode);
        host_.showPaletteKind(doc.PaletteKind);
        change.session |= session_.switchPalette(doc.PaletteKind, true);
        host_.redrawToolColours();
    }
    change |= fitPaletteToEditMode(true);
    host_.rememberEditModeChoice(mode);
    // In the tall-pixel mode the tool palette hides Odd Line, and it must not stay on.
    const bool oddLine = mode == EditModeId::Pc8801Tall ? false : state_.SavedOddLine;
    session_.tool().OddLine = oddLine;
    host_.setOddLineBox(oddLine, true);
    controls_.timerRunning = false;
    readoutPending_ = false;
    controls_.editorLocked = false;
    controls_.image1Shown = true;
    controls_.image6Shown = false;
    controls_.paletteSelectorEnabled = true;
    state_.LastConvertType = -1;
    // After an Apply the new pixel mode's own recolouring rule stands.
    if (!applied)
        change.session |= session_.setRecolorOnPaletteChange(state_.SavedRecolour);
    session_.gridShown = state_.SavedGridMark;
    change.grid = true;
    change.closed = true;
    return change;
}

ConverterChange ConverterWindowModel::fitPaletteToEditMode(bool switchAllowed) {
    ConverterChange change;
    const EditModeId mode = session_.document().EditMode;
    if (!shown_)
        change.session |= session_.setRecolorOnPaletteChange(mode == EditModeId::Tms99x8);
    session_.tool().FreeDraw = mode != EditModeId::Tms99x8;
    if (mode == EditModeId::Pc8801Tall) {
        session_.tool().OddLine = false;
        if (switchAllowed)
            change.session |= session_.switchPalette(PaletteKindId::Pc8801, false);
    }
    host_.layoutToolPalette();
    return change;
}

ConverterChange ConverterWindowModel::setEditModeAndDialog(EditModeId mode) {
    host_.setEditModeChoice(mode);
    ConverterChange change;
    change.session |= session_.setEditMode(mode);
    return change;
}

ConverterChange ConverterWindowModel::PageControl1Change(int page) {
    ConverterChange change;
    if (!shown_ || page < 0 || page >= ConverterPageCount)
        return change;
    controls_.page = page;
    controls_.comboBox[1] = 0;
    syncDitherEnabled();
    controls_.timerRunning = false;
    change |= SyncBalanceControls();
    EditModeId mode = EditModeId::Tms99x8;
    if (page == int(ConverterPage::Pc6001))
        mode = pc6001DialogMode();
    else if (page == int(ConverterPage::Pc8801))
        mode = EditModeId::Pc8801Tall;
    change |= setEditModeAndDialog(mode);
    const PaletteKindId kind = FamilyKind(mode);
    host_.showPaletteKind(kind == PaletteKindId::Pc8801 ? PaletteKindId::Tms9918 : kind);
    change.session |= session_.switchPalette(kind, false);
    host_.redrawToolColours();
    change |= fitPaletteToEditMode(true);
    controls_.paletteSelectorEnabled =
        page != int(ConverterPage::V9938) && page != int(ConverterPage::V9958);
    change |= showResult();
    change |= startForPage(page);
    return change;
}

ConverterChange ConverterWindowModel::startForPage(int page) {
    if (page == int(ConverterPage::V9938))
        return RunV9938Conversion(DriverCall::Start);
    if (page == int(ConverterPage::V9958))
        return RunV9958Conversion(DriverCall::Start);
    return RunConversionForEditMode(DriverCall::Start);
}

ConverterChange ConverterWindowModel::redoPreview() {
    if (!shown_)
        return {};
    return startForPage(controls_.page);
}

ConverterChange ConverterWindowModel::showResult() {
    controls_.image6Shown = true;
    controls_.image1Shown = false;
    return {};
}

ConverterChange ConverterWindowModel::SyncBalanceControls() {
    for (int bar = 1; bar <= TrackBarCount; ++bar) {
        const TrackBarInfo& info = TrackBarOf(bar);
        if (info.page == int(ConverterPage::V9958))
            continue;
        // Setting a bar to the stored value runs a handler that finds nothing to do.
        controls_.trackBar[std::size_t(bar)] = parameter(info.parameter);
        controls_.labelValue[std::size_t(info.label)] = parameter(info.parameter);
    }
    return {};
}

// --- controls ---

ConverterChange ConverterWindowModel::setTrackBar(int trackBar, int position) {
    const TrackBarInfo& info = TrackBarOf(trackBar);
    position = std::clamp(position, info.min, info.max);
    int& shown = controls_.trackBar[std::size_t(trackBar)];
    if (shown == position)
        return {};
    shown = position;
    return trackBarChanged(trackBar);
}

ConverterChange ConverterWindowModel::trackBarChanged(int trackBar) {
    const TrackBarInfo& info = TrackBarOf(trackBar);
    const int position = controls_.trackBar[std::size_t(trackBar)];
    int& stored = parameter(info.parameter);
    if (stored == position)
        return {};
    stored = position;
    controls_.labelValue[std::size_t(info.label)] = position;
    if (!shown_)
        return {};
    if (info.page == int(ConverterPage::V9958)) {
        showResult();
        return RunV9958Conversion(DriverCall::Start);
    }
    return startForPage(info.page);
}

ConverterChange ConverterWindowModel::setCheckBox(int checkBox, bool checked) {
    bool& box = controls_.checkBox.at(std::size_t(checkBox));
    if (box == checked)
        return {};
    box = checked;
    return checkBoxClicked(checkBox);
}

ConverterChange ConverterWindowModel::checkBoxClicked(int checkBox) {
    const bool checked = controls_.checkBox[std::size_t(checkBox)];
    ConverterChange change;
    if (const int page = PageOfPreviewBox(checkBox); page >= 0)
        return previewClicked(page);
    if (IsOneOf(checkBox, {Rules9918, RulesP6, AnalogPalette}))
        return shown_ ? RunConversionForEditMode(DriverCall::Start) : change;
    if (IsOneOf(checkBox, {Interlace, OddLineV9938}))
        return shown_ ? RunV9938Conversion(DriverCall::Start) : change;
    if (IsOneOf(checkBox, {NtscTms9918, NtscPc6001, NtscPc8801})) {
        if (checked == conversion_->params.NtscWeighting)
            return change;
        conversion_->params.NtscWeighting = checked;
        for (int other : NtscBoxes)
            change |= setCheckBox(other, checked);
        if (shown_)
            change |= RunConversionForEditMode(DriverCall::Start);
        return change;
    }
    if (IsOneOf(checkBox, {QuickSaveTms9918, QuickSavePc6001, QuickSavePc8801}))
        for (int other : QuickSaveBoxes)
            change |= setCheckBox(other, checked);
    return change; // "Connect Palette" is read only by the screen-file writers
}

ConverterChange ConverterWindowModel::previewClicked(int page) {
    if (controls_.page != page)
        return {};
    const bool ticked = controls_.checkBox[std::size_t(PreviewBoxOf(page))];
    controls_.image6Shown = ticked;
    controls_.image1Shown = !ticked;
    return {};
}

ConverterChange ConverterWindowModel::chooseMode(int comboBox, int item) {
    static constexpr std::array<int, 6> PageOfCombo = {-1, 0, 2, 1, 3, 4};
    if (comboBox < 1 || comboBox > 5)
        return {};
    const int page = PageOfCombo[std::size_t(comboBox)];
    if (item < 0 || item >= ModeCount(ConverterPage(page)))
        return {};
    controls_.comboBox[std::size_t(comboBox)] = item;
    if (!shown_) {
        syncDitherEnabled();
        return {};
    }
    ConverterChange change;
    switch (comboBox) {
    case 1:
        controls_.buttonEnabled[16] = item == 1;
        syncDitherEnabled();
        return RunConversionForEditMode(DriverCall::Start);
    case 3:
        return RunV9938Conversion(DriverCall::Start);
    case 2:
        return RunV9958Conversion(DriverCall::Start);
    case 4:
        change |= setEditModeAndDialog(IsOneOf(item, {0, 2, 4}) ? EditModeId::Pc6001
                                                                : EditModeId::Pc6001Wide);
        controls_.buttonEnabled[15] = false;
        break;
    default:
        change |= setEditModeAndDialog(EditModeId::Pc8801Tall);
        break;
    }
    host_.redrawToolColours();
    change |= RunConversionForEditMode(DriverCall::Start);
    return change;
}

ConverterChange ConverterWindowModel::RadioGroup1Click(int item) {
    if (item < 0 || item > 2)
        return {};
    controls_.radioGroup1 = item;
    ConverterChange change;
    if (shown_ && item != state_.LastConvertType) {
        change |= previewClicked(int(ConverterPage::V9958));
        change |= RunV9958Conversion(DriverCall::Start);
    }
    state_.LastConvertType = item;
    return change;
}

ConverterChange ConverterWindowModel::resetPage(int page) {
    ConverterChange change;
    if (page == int(ConverterPage::V9958)) {
        for (int bar : {8, 6, 7})
            change |= setTrackBar(bar, 0);
        return change;
    }
    const ColorBalance defaults;
    const std::array<int, 5> values = {defaults.RedOffset, defaults.GreenOffset,
                                       defaults.BlueOffset, defaults.Brightness, defaults.Contrast};
    const std::array<int, 5> bars = ColourTrackBars(page);
    for (std::size_t i = 0; i < bars.size(); ++i)
        change |= setTrackBar(bars[i], values[i]);
    conversion_->params.Balance = defaults;
    return change;
}

ConverterChange ConverterWindowModel::clickButton(int button) {
    if (button < 1 || button > 20 || !controls_.buttonEnabled[std::size_t(button)])
        return {};
    if (IsOneOf(button, {3, 19}))
        return Button3Click();
    if (button == 12)
        return Button12Click();
    for (int page = 0; page < ConverterPageCount; ++page) {
        if (button == CancelButtonOf(page))
            return Button2Click();
        if (button == ResetButtonOf(page))
            return resetPage(page);
    }
    return {}; // Save and Export: runFileButton
}

ScreenFileJobResult ConverterWindowModel::runFileButton(int button, const ScreenFileHooks& hooks) {
    const ScreenFileJobResult refused{ScreenFileOutcome::Refused, {}};
    const int page = controls_.page;
    const bool save = button == ApplyButtonOf(page) &&
                      (page == int(ConverterPage::V9938) || page == int(ConverterPage::V9958));
    if (!shown_ || button < 1 || button > 20 || !controls_.buttonEnabled[std::size_t(button)] ||
        (!save && button != ExportButtonOf(page)) || int(conversion_->page) != page)
        return refused;
    const std::string& fileName = session_.document().FileName;
    if (save)
        return RunSaveButton(*conversion_, fileName, files_, hooks);
    return RunExportButton(*conversion_, controls_.checkBox[ConnectPalette], fileName, files_,
                           hooks);
}

// --- Apply and Cancel ---

ConverterChange ConverterWindowModel::applyResult(bool quickSaveTicked) {
    ConverterChange change;
    if (quickSaveTicked)
        session_.quickSave();
    change.session |= session_.applyPicture(conversion_->result);
    return change;
}

ConverterChange ConverterWindowModel::Button3Click() {
    const int page = controls_.page;
    if (!shown_ || !IsOneOf(page, {0, 4}) ||
        !controls_.buttonEnabled[std::size_t(ApplyButtonOf(page))])
        return {};
    const bool quickSave = controls_.checkBox[QuickSaveTms9918];
    if (!host_.confirm("OK?", quickSave ? "Quick Save & Apply" : "Apply"))
        return {};
    state_.Applied = true;
    ConverterChange change = applyResult(quickSave);
    change.session |= session_.restartUndo();
    change |= FormHide();
    return change;
}

ConverterChange ConverterWindowModel::Button12Click() {
    if (!shown_ || controls_.page != int(ConverterPage::Pc6001) || !controls_.buttonEnabled[12])
        return {};
    const bool quickSave = controls_.checkBox[QuickSavePc6001];
    if (!host_.confirm("OK?", quickSave ? "Quick Save & Apply" : "Apply"))
        return {};
    ConverterChange change = applyResult(quickSave);
    // The pixel mode stays the one the conversion was made in.
    change |= setEditModeAndDialog(session_.document().EditMode);
    change |= fitPaletteToEditMode(false);
    change.session |= session_.recordSnapshot();
    state_.Applied = true;
    change |= FormHide();
    return change;
}

ConverterChange ConverterWindowModel::Button2Click() {
    state_.Applied = false;
    return FormHide();
}

} // namespace murelo
