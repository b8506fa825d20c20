#pragma once

#include "core/app/ConverterWindowModel.h"

namespace murelo {

// One conversion as a user sets it up in the converter window: page, mode, palette, the
// drawing colours and every option and value of ConversionParameters.
struct ConverterRequest {
    ConverterPage page = ConverterPage::Tms9918;
    int mode = 0;
    ConversionParameters params;
};

// Opens the window over the session's picture, chooses the page, the palette, the drawing
// colours, every option and value through the window's own controls and handlers, chooses
// the mode last and runs the conversion to its finish. The window stays open, so its
// result, screen bytes and quantizer palette can be read; Cancel (Button2Click) closes it
// leaving the picture as it was. Throws std::out_of_range for a mode the page lacks.
void RunConverterRequest(ConverterWindowModel& model, EditorSession& session,
                         const ConverterRequest& request);

} // namespace murelo
