#pragma once

#include "core/convert/ModeConversion.h"

namespace murelo {

// The "Characters" budget's most: the whole screen, which sets no limit.
inline constexpr int NoCharacterLimit = 768;

// How the characters a budget draws look: like the plain mode's (each pixel its nearest
// colour of the line's pair) or like the dithered mode's (the pair mixed as the eye blends a
// dither).
enum class BudgetStyle { Plain, Dithered };

// Wraps a Graphic 2 mode's conversion so that its result uses at most the "Characters"
// budget of distinct 8 x 8 characters. After the mode's own units the budget's units run:
// cells already drawn alike are one unit; units are grouped by how alike their source cells
// look; every group gets one character re-derived from the summed light of its cells; then
// cells move to the group whose character serves them best and the characters are derived
// again, while the error falls. A result within the budget is left as it is, and so is a
// budget of NoCharacterLimit. Cells of one visible size share characters only with each other,
// so a picture whose sides are not multiples of 8 needs a character for each size at least.
std::unique_ptr<ModeConversion> WithCharacterBudget(std::unique_ptr<ModeConversion> inner,
                                                    ConversionState& state, BudgetStyle style);

// A mode factory with the budget around it, for the mode table.
template <ModeFactory Inner, BudgetStyle Style>
std::unique_ptr<ModeConversion> StartWithCharacterBudget(ConversionState& state) {
    return WithCharacterBudget(Inner(state), state, Style);
}

} // namespace murelo
