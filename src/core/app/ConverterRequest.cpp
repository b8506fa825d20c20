#include "core/app/ConverterRequest.h"

#include "core/convert/ConversionDriver.h"

#include <stdexcept>
#include <string>

namespace murelo {

namespace {

constexpr int ComboOfPage[] = {1, 3, 2, 4, 5};

void SetBalance(ConverterWindowModel& model, int page, const ConversionParameters& p) {
    // The V9958 page has no colour bars of its own; the shared values are set on the first.
    const int balancePage = page == int(ConverterPage::V9958) ? 0 : page;
    const std::array<int, 5> bars = ColourTrackBars(balancePage);
    const std::array<int, 5> values = {p.Balance.RedOffset, p.Balance.GreenOffset,
                                       p.Balance.BlueOffset, p.Balance.Brightness,
                                       p.Balance.Contrast};
    for (std::size_t i = 0; i < bars.size(); ++i)
        model.setTrackBar(bars[i], values[i]);
    const int halfTone = HalfToneTrackBar(balancePage) ? HalfToneTrackBar(balancePage) : 19;
    model.setTrackBar(halfTone, p.HalfToneLevel);
}

void SetOptions(ConverterWindowModel& model, const ConversionParameters& p) {
    model.setCheckBox(Rules9918, p.Rules9918);
    model.setCheckBox(Interlace, p.Interlace);
    model.setCheckBox(OddLineV9938, p.OddLine);
    model.setCheckBox(RulesP6, p.P6Rules);
    model.setCheckBox(AnalogPalette, p.AnalogPalette);
    model.setCheckBox(NtscTms9918, p.NtscWeighting);
    model.RadioGroup1Click(p.ConvertType);
    // Opening leaves the strength where it was; its bar starts a TMS9918 conversion.
    model.setTrackBar(DitherTrackBar, p.DitherStrength);
    // The YJK elements are not reset by opening; their bars start a V9958 conversion.
    model.setTrackBar(8, p.Yjk.YOffset);
    model.setTrackBar(6, p.Yjk.JOffset);
    model.setTrackBar(7, p.Yjk.KOffset);
}

} // namespace

void RunConverterRequest(ConverterWindowModel& model, EditorSession& session,
                         const ConverterRequest& request) {
    const int page = int(request.page);
    if (request.mode < 0 || request.mode >= ModeCount(request.page))
        throw std::out_of_range("mode " + std::to_string(request.mode) +
                                " is not in the page's list");
    const ConversionParameters& p = request.params;
    // Every control set on the way starts a conversion that the next one abandons; their
    // first passes convert one unit each (results never depend on where passes end).
    const PassBudget budget = model.conversion().budget;
    model.setPassBudget(PassBudget(budget.budgetMs(), 1));
    // The boxes keep their state between openings; set before opening they start nothing.
    SetOptions(model, p);
    model.FormShow();
    if (model.controls().page != page)
        model.PageControl1Change(page);
    // A palette picked in the tool palette while the window is open: no recolouring.
    if (KindNumber(session.document().PaletteKind) != p.PaletteKind)
        if (const auto kind = PaletteKindOfNumber(p.PaletteKind))
            session.switchPalette(*kind, false);
    SetBalance(model, page, p);
    ToolState& tool = session.tool();
    tool.ForegroundColor = p.ForegroundColor;
    tool.BackgroundColor = p.BackgroundColor;
    tool.ProtectedColors = p.ProtectedColors;
    model.setPassBudget(budget);
    model.chooseMode(ComboOfPage[page], request.mode);
    model.runToFinish();
}

} // namespace murelo
