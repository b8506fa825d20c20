#include "core/app/ConverterWindowModel.h"

#include "core/palette/Palettes.h"

#include <algorithm>
#include <cstdio>

namespace murelo {

ConverterChange& ConverterChange::operator|=(const ConverterChange& other) {
    session |= other.session;
    result |= other.result;
    grid |= other.grid;
    closed |= other.closed;
    return *this;
}

ConverterWindowModel::ConverterWindowModel(EditorSession& session, ConverterHost& host)
    : session_(session), host_(host), conversion_(std::make_unique<ConversionState>()) {}

bool ConverterWindowModel::enabled(ConverterPage page, Parameter parameter) const {
    if (parameter == Parameter::Interlace)
        return controls_.interlaceEnabled;
    if (parameter == Parameter::OddLine)
        return controls_.oddLineEnabled;
    // A control only some modes read is greyed out in the others.
    if (InfoOf(parameter).onlyWhenRead)
        return Reads(controls_.mode[std::size_t(page)], parameter);
    return true;
}

// --- opening and closing ---

ConverterChange ConverterWindowModel::open() {
    ConverterChange change;
    if (shown_)
        return change;
    shown_ = true;
    change |= saveEditorState();
    controls_.timerRunning = false;
    change |= setPreview(ConverterPage::V9958, true);
    const Document& doc = session_.document();
    const ModeId yjk = controls_.mode[std::size_t(ConverterPage::V9958)];
    controls_.exportEnabled[std::size_t(ConverterPage::V9958)] =
        FilesFit(FilesOf(yjk, false), doc.PictureWidth, doc.PictureHeight);
    change |= fitDrawingColours();
    choosePageForEditMode();
    host_.setPositionLabel("X :\nY :");
    change.session |= session_.setEditMode(host_.editModeChoice());
    change |= fitPaletteToEditMode(false);
    change |= resetBalanceOfShownPage();
    change |= start();
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
    state_.SavedColours = {tool.ForegroundColor, tool.BackgroundColor, tool.ForegroundIndex,
                           tool.BackgroundIndex};
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
    switch (session_.document().EditMode) {
    case EditModeId::Pc6001Wide:
    case EditModeId::Pc6001:
        controls_.page = ConverterPage::Pc6001;
        break;
    case EditModeId::Pc8801Tall:
        controls_.page = ConverterPage::Pc8801;
        break;
    default:
        controls_.page = ConverterPage::Tms9918;
        break;
    }
    // Every pixel mode sets the dialog's choice, so a choice left by a cancelled Edit Mode
    // dialog is never applied when opening makes the choice the picture's pixel mode.
    host_.setEditModeChoice(Describe(shownMode()).editMode);
}

ConverterChange ConverterWindowModel::resetBalanceOfShownPage() {
    ConverterChange change;
    for (Parameter p : BalanceParameters)
        change |= setParameter(p, DefaultValue(p));
    change |= setParameter(Parameter::HalfTone, DefaultValue(Parameter::HalfTone));
    return change;
}

ConverterChange ConverterWindowModel::close() {
    ConverterChange change;
    if (!shown_)
        return change;
    shown_ = false;
    const bool applied = state_.Applied;
    if (!applied) {
        change.session |= session_.setEditMode(state_.SavedEditMode);
        change.session |= session_.switchPalette(state_.SavedPaletteKind, false);
        change |= restoreDrawingColours();
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

ConverterChange ConverterWindowModel::restoreDrawingColours() {
    // The pages' palette switches fit both colours to each palette on the way; a Cancel
    // gives back the two the user was drawing with.
    ToolState& tool = session_.tool();
    const SavedDrawingColours& saved = state_.SavedColours;
    tool.ForegroundColor = saved.foreground;
    tool.BackgroundColor = saved.background;
    tool.ForegroundIndex = saved.foregroundIndex;
    tool.BackgroundIndex = saved.backgroundIndex;
    host_.redrawToolColours();
    ConverterChange change;
    change.session.colors = true;
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

ConverterChange ConverterWindowModel::choosePage(ConverterPage page) {
    ConverterChange change;
    if (!shown_)
        return change;
    controls_.page = page;
    controls_.mode[std::size_t(ConverterPage::Tms9918)] = ModesOf(ConverterPage::Tms9918)[0].id;
    controls_.timerRunning = false;
    const ModeDescriptor& mode = Describe(shownMode());
    change |= setEditModeAndDialog(mode.editMode);
    const PaletteKindId kind = Describe(page).kind;
    host_.showPaletteKind(kind == PaletteKindId::Pc8801 ? PaletteKindId::Tms9918 : kind);
    change.session |= session_.switchPalette(kind, false);
    host_.redrawToolColours();
    change |= fitPaletteToEditMode(true);
    controls_.paletteSelectorEnabled = mode.palettes != PaletteFamily::Own;
    change |= showResult();
    change |= start();
    return change;
}

ConverterChange ConverterWindowModel::redoPreview() {
    if (!shown_)
        return {};
    return start();
}

ConverterChange ConverterWindowModel::showResult() {
    controls_.image6Shown = true;
    controls_.image1Shown = false;
    return {};
}

// --- controls ---

ConverterChange ConverterWindowModel::setParameter(Parameter parameter, int value) {
    if (parameter == Parameter::ConvertType)
        return chooseConvertType(value);
    const int stored = ParameterValue(params_, parameter);
    SetParameterValue(params_, parameter, value);
    if (ParameterValue(params_, parameter) == stored || !shown_)
        return {};
    ConverterChange change;
    // The YJK bars bring the result back into view before they restart.
    if (parameter == Parameter::YElement || parameter == Parameter::JElement ||
        parameter == Parameter::KElement)
        change |= showResult();
    change |= start();
    return change;
}

ConverterChange ConverterWindowModel::chooseConvertType(int item) {
    const ParameterInfo& info = InfoOf(Parameter::ConvertType);
    if (item < info.min || item > info.max)
        return {};
    params_.ConvertType = item;
    ConverterChange change;
    if (shown_ && item != state_.LastConvertType) {
        change |=
            setPreview(ConverterPage::V9958, controls_.preview[std::size_t(ConverterPage::V9958)]);
        change |= start();
    }
    state_.LastConvertType = item;
    return change;
}

ConverterChange ConverterWindowModel::setPreview(ConverterPage page, bool ticked) {
    controls_.preview[std::size_t(page)] = ticked;
    if (controls_.page == page) {
        controls_.image6Shown = ticked;
        controls_.image1Shown = !ticked;
    }
    return {};
}

ConverterChange ConverterWindowModel::setQuickSave(bool ticked) {
    controls_.quickSave = ticked;
    return {};
}

ConverterChange ConverterWindowModel::setConnectPalette(bool ticked) {
    controls_.connectPalette = ticked;
    return {};
}

ConverterChange ConverterWindowModel::chooseMode(ModeId id) {
    const ModeDescriptor& mode = Describe(id);
    controls_.mode[std::size_t(mode.page)] = id;
    if (!shown_ || mode.page != controls_.page)
        return {};
    ConverterChange change = setEditModeAndDialog(mode.editMode);
    host_.redrawToolColours();
    change |= start();
    return change;
}

ConverterChange ConverterWindowModel::reset() {
    ConverterChange change;
    if (!shown_)
        return change;
    if (controls_.page == ConverterPage::V9958) {
        for (Parameter p : YjkParameters)
            change |= setParameter(p, DefaultValue(p));
    } else {
        for (Parameter p : BalanceParameters)
            change |= setParameter(p, DefaultValue(p));
    }
    change |= setParameter(Parameter::Dither, DefaultValue(Parameter::Dither));
    return change;
}

ScreenFileJobResult ConverterWindowModel::exportFiles(const ScreenFileHooks& hooks) {
    const std::size_t page = std::size_t(controls_.page);
    if (!shown_ || !controls_.exportEnabled[page] ||
        Describe(conversion_->mode).page != controls_.page)
        return {ScreenFileOutcome::Refused, {}};
    return RunExportButton(*conversion_, controls_.connectPalette, session_.document().FileName,
                           files_, hooks);
}

ScreenFileJobResult ConverterWindowModel::saveBitmap(const ScreenFileHooks& hooks) {
    const std::size_t page = std::size_t(controls_.page);
    if (!shown_ || !Describe(controls_.page).saves || !controls_.applyEnabled[page] ||
        Describe(conversion_->mode).page != controls_.page)
        return {ScreenFileOutcome::Refused, {}};
    return RunSaveButton(*conversion_, session_.document().FileName, files_, hooks);
}

// --- Apply and Cancel ---

ConverterChange ConverterWindowModel::apply() {
    const ConverterPage page = controls_.page;
    if (!shown_ || Describe(page).saves || !controls_.applyEnabled[std::size_t(page)])
        return {};
    const bool quickSave = controls_.quickSave;
    if (!host_.confirm("OK?", quickSave ? "Quick Save & Apply" : "Apply"))
        return {};
    if (quickSave)
        session_.quickSave();
    ConverterChange change;
    change.session |= session_.applyPicture(conversion_->result);
    // The pixel mode stays the one the conversion was made in.
    change |= setEditModeAndDialog(session_.document().EditMode);
    change |= fitPaletteToEditMode(false);
    // One undo step: Undo goes back to the picture before the Apply.
    change.session |= session_.recordSnapshot();
    state_.Applied = true;
    change |= close();
    return change;
}

ConverterChange ConverterWindowModel::cancel() {
    state_.Applied = false;
    return close();
}

} // namespace murelo
