// The conversion drivers of the converter window: how each page starts, continues and
// finishes a conversion, with the buttons, options and pixel mode of every mode.
#include "core/app/ConverterWindowModel.h"

#include "core/convert/ConversionDriver.h"
#include "core/convert/ConversionReadout.h"
#include "core/convert/ScreenExportChecks.h"

namespace murelo {

namespace {

bool Pc6001ExportFits(int mode, int w, int h) {
    const bool small = (w == 256 && h == 192) || (w == 320 && h == 200);
    if (small && (mode == 0 || mode == 1 || mode == 5 || mode == 6))
        return true;
    return w == 640 && h == 400 && mode == 2;
}

} // namespace

ConverterChange ConverterWindowModel::RunConversionForEditMode(DriverCall call) {
    switch (session_.document().EditMode) {
    case EditModeId::Pc6001Wide:
    case EditModeId::Pc6001:
        return RunPc6001Conversion(call);
    case EditModeId::Pc8801Tall:
        return RunPc8801Conversion(call);
    default:
        return RunTms9918Conversion(call);
    }
}

ConverterChange ConverterWindowModel::RunTms9918Conversion(DriverCall call) {
    if (call == DriverCall::Continue)
        return continueRunning();
    return startPage(int(ConverterPage::Tms9918), controls_.comboBox[1]);
}

ConverterChange ConverterWindowModel::RunV9938Conversion(DriverCall call) {
    if (call == DriverCall::Continue)
        return continueRunning();
    return startPage(int(ConverterPage::V9938), controls_.comboBox[3]);
}

ConverterChange ConverterWindowModel::RunV9958Conversion(DriverCall call) {
    if (call == DriverCall::Continue)
        return continueRunning();
    return startPage(int(ConverterPage::V9958), controls_.comboBox[2]);
}

ConverterChange ConverterWindowModel::RunPc6001Conversion(DriverCall call) {
    if (call == DriverCall::Continue)
        return continueRunning();
    return startPage(int(ConverterPage::Pc6001), controls_.comboBox[4]);
}

ConverterChange ConverterWindowModel::RunPc8801Conversion(DriverCall call) {
    if (call == DriverCall::Continue)
        return continueRunning();
    return startPage(int(ConverterPage::Pc8801), controls_.comboBox[5]);
}

ConverterChange ConverterWindowModel::Timer1Timer() {
    if (!controls_.timerRunning)
        return {};
    switch (ConverterPage(controls_.page)) {
    case ConverterPage::Tms9918:
        return RunConversionForEditMode(DriverCall::Continue);
    case ConverterPage::V9938:
        return RunV9938Conversion(DriverCall::Continue);
    case ConverterPage::V9958:
        return RunV9958Conversion(DriverCall::Continue);
    case ConverterPage::Pc6001:
        return RunPc6001Conversion(DriverCall::Continue);
    case ConverterPage::Pc8801:
        return RunPc8801Conversion(DriverCall::Continue);
    }
    return {};
}

ConverterChange ConverterWindowModel::runToFinish() {
    ConverterChange change;
    while (controls_.timerRunning)
        change |= Timer1Timer();
    return change;
}

void ConverterWindowModel::prepareSource() {
    const Document& doc = session_.document();
    const ToolState& tool = session_.tool();
    // The picture may have changed size since the last start (a Quick Load before the
    // window opened): the result is sized from it at every start.
    conversion_->source = doc.picture;
    ConversionParameters& p = conversion_->params;
    p.PaletteKind = KindNumber(doc.PaletteKind);
    p.Rules9918 = controls_.checkBox[Rules9918];
    p.Interlace = controls_.checkBox[Interlace];
    p.OddLine = controls_.checkBox[OddLineV9938];
    p.P6Rules = controls_.checkBox[RulesP6];
    p.AnalogPalette = controls_.checkBox[AnalogPalette];
    p.ConvertType = controls_.radioGroup1;
    p.ForegroundColor = tool.ForegroundColor;
    p.BackgroundColor = tool.BackgroundColor;
    p.ProtectedColors = tool.ProtectedColors;
}

void ConverterWindowModel::setStartControls(int page, int mode) {
    auto& button = controls_.buttonEnabled;
    auto& enabled = controls_.checkBoxEnabled;
    const ModeStart start = ModeStartOf(ConverterPage(page), mode);
    const bool multiColor = page == int(ConverterPage::Tms9918) && mode == 1;
    if (start.coarsePreview || multiColor)
        setCheckBox(PreviewTms9918, true);
    switch (ConverterPage(page)) {
    case ConverterPage::Tms9918:
    case ConverterPage::Pc6001:
    case ConverterPage::Pc8801:
        button[std::size_t(ApplyButtonOf(page))] = false;
        button[std::size_t(ExportButtonOf(page))] = false;
        break;
    case ConverterPage::V9938:
        enabled[Interlace] = enabled[OddLineV9938] = enabled[ConnectPalette] = false;
        button[8] = button[11] = false;
        setCheckBox(PreviewV9938, true);
        if (mode <= 2) {
            enabled[ConnectPalette] = enabled[Interlace] = true;
            enabled[OddLineV9938] = mode != 0 && !controls_.checkBox[Interlace];
        }
        break;
    case ConverterPage::V9958:
        button[1] = button[5] = false;
        setCheckBox(PreviewV9958, true);
        state_.LastConvertType = controls_.radioGroup1;
        break;
    }
    if (page == int(ConverterPage::V9938) || page == int(ConverterPage::V9958)) {
        // The picture under the result is not shown while a direct-colour mode converts.
        controls_.image1Shown = false;
        if (controls_.page == page)
            controls_.image6Shown = true;
    }
}

void ConverterWindowModel::finishControls() {
    const int page = int(conversion_->page);
    const int mode = conversion_->ConversionMode;
    const int w = conversion_->source.width();
    const int h = conversion_->source.height();
    auto& button = controls_.buttonEnabled;
    bool exportOn = false;
    switch (conversion_->page) {
    case ConverterPage::Tms9918:
        exportOn = mode == 1 && w == 256 && h == 192;
        break;
    case ConverterPage::V9938:
        if (mode == 0) {
            const bool interlace = conversion_->params.Interlace;
            exportOn = (interlace && w == 512 && h <= 424) || (!interlace && w == 256 && h <= 212);
        } else if (mode <= 2) {
            exportOn = w == 512 && h <= 424;
        } else {
            exportOn = w == 256 && h <= 212;
        }
        break;
    case ConverterPage::V9958:
        exportOn = w == 256 && h <= 212;
        break;
    case ConverterPage::Pc6001:
        exportOn = Pc6001ExportFits(mode, w, h);
        break;
    case ConverterPage::Pc8801:
        exportOn = w == 640;
        break;
    }
    button[std::size_t(ApplyButtonOf(page))] = true;
    // The files' own check too: it also refuses what the table lets through (an interlaced
    // picture of one row, whose odd field would be empty).
    button[std::size_t(ExportButtonOf(page))] = exportOn && ExportRefusal(*conversion_).empty();
}

void ConverterWindowModel::finished() {
    finishControls();
    controls_.timerRunning = false;
    readoutPending_ = true;
}

ConverterChange ConverterWindowModel::measureReadout() {
    if (!readoutPending_ || !shown_ || !conversion_->complete)
        return {};
    readoutPending_ = false;
    controls_.readout = ConversionReadout(*conversion_);
    return {};
}

ConverterChange ConverterWindowModel::startPage(int page, int mode) {
    ConverterChange change;
    if (!shown_)
        return change;
    ++startCount_;
    controls_.readout.clear();
    readoutPending_ = false;
    prepareSource();
    setStartControls(page, mode);
    PrepareConversion(*conversion_, ConverterPage(page), mode);
    change.session |= session_.setEditMode(EditModeOfNumber(conversion_->EditMode));
    const bool runsWhole = ModeStartOf(ConverterPage(page), mode).runsWhole;
    controls_.timerRunning = !runsWhole;
    change.result = true;
    bool complete = ContinueConversion(*conversion_);
    while (runsWhole && !complete)
        complete = ContinueConversion(*conversion_);
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

} // namespace murelo
