// How the converter window starts, continues and finishes a conversion: the buttons,
// options and pixel mode of every mode come from its descriptor.
#include "core/app/ConverterWindowModel.h"

#include "core/convert/CharacterCount.h"
#include "core/convert/ConversionReadout.h"
#include "core/convert/ScreenExportChecks.h"

namespace murelo {

void ConverterWindowModel::setStartControls(const ModeDescriptor& mode) {
    const std::size_t page = std::size_t(mode.page);
    // The coarse preview and the blocks of Multi Color tick the TMS9918 page's box; the
    // direct-colour pages tick their own and show the result over the hidden picture.
    const bool ownColours = mode.palettes == PaletteFamily::Own;
    if (ownColours || mode.coarsePreview || (mode.runsWhole && mode.page == ConverterPage::Tms9918))
        setPreview(ownColours ? mode.page : ConverterPage::Tms9918, true);
    controls_.applyEnabled[page] = false;
    controls_.exportEnabled[page] = false;
    if (mode.page == ConverterPage::V9938) {
        controls_.interlaceEnabled = mode.reads.contains(Parameter::Interlace);
        controls_.oddLineEnabled = mode.reads.contains(Parameter::OddLine) && !params_.Interlace;
        controls_.connectPaletteEnabled = InfoOf(mode.files).palettePlace;
    }
    if (mode.page == ConverterPage::V9958)
        state_.LastConvertType = params_.ConvertType;
    if (ownColours) {
        controls_.image1Shown = false;
        if (controls_.page == mode.page)
            controls_.image6Shown = true;
    }
}

void ConverterWindowModel::finished() {
    const ConversionState& c = *conversion_;
    const std::size_t page = std::size_t(Describe(c.mode).page);
    controls_.applyEnabled[page] = true;
    // The files' own check: the size the files hold, and what the size rule alone lets
    // through (an interlaced picture of one row, whose odd field would be empty).
    controls_.exportEnabled[page] = ExportRefusal(c).empty();
    controls_.timerRunning = false;
    readoutPending_ = true;
    // Counting is cheap beside the conversion, so a drag of the budget shows it at once.
    if (Reads(c.mode, Parameter::Characters))
        controls_.characters = CharacterCountText(CountCharacters(c.result));
}

ConverterChange ConverterWindowModel::measureReadout() {
    if (!readoutPending_ || !shown_ || !conversion_->complete)
        return {};
    readoutPending_ = false;
    controls_.readout = ConversionReadout(*conversion_);
    return {};
}

ConverterChange ConverterWindowModel::start() {
    ConverterChange change;
    if (!shown_)
        return change;
    ++startCount_;
    controls_.readout.clear();
    controls_.characters.clear();
    readoutPending_ = false;
    const ModeDescriptor& mode = Describe(shownMode());
    setStartControls(mode);
    // The picture may have changed size since the last start (a Quick Load before the
    // window opened): the result is sized from it at every start.
    const Document& doc = session_.document();
    const ToolState& tool = session_.tool();
    ConversionState& c = *conversion_;
    c.source = doc.picture;
    c.params = params_;
    c.params.PaletteKind = KindNumber(doc.PaletteKind);
    c.params.ForegroundColor = tool.ForegroundColor;
    c.params.BackgroundColor = tool.BackgroundColor;
    c.params.ProtectedColors = tool.ProtectedColors;
    PrepareConversion(c, mode.id);
    change.session |= session_.setEditMode(mode.editMode);
    controls_.timerRunning = !mode.runsWhole;
    change.result = true;
    bool complete = ContinueConversion(c);
    while (mode.runsWhole && !complete)
        complete = ContinueConversion(c);
    if (complete)
        finished();
    return change;
}

ConverterChange ConverterWindowModel::continueRunning() {
    ConverterChange change;
    if (!shown_ || !controls_.timerRunning)
        return change;
    change.result = true;
    if (ContinueConversion(*conversion_))
        finished();
    return change;
}

ConverterChange ConverterWindowModel::tick() {
    return continueRunning();
}

ConverterChange ConverterWindowModel::runToFinish() {
    ConverterChange change;
    while (controls_.timerRunning)
        change |= tick();
    return change;
}

} // namespace murelo
