#pragma once

namespace murelo {

// The "White"/"Color" fill choice of the "New" dialog for the current palette kind.
struct WhiteChoice {
    bool whiteEnabled;
    bool selectColor; // "Color" must be chosen because the kind has no white
};

WhiteChoice UpdateWhiteChoice(int paletteKind);

} // namespace murelo
