#pragma once

#include "core/app/ConverterHost.h"
#include "core/app/ConverterWindowModel.h"
#include "core/app/Document.h"
#include "core/app/EditorSession.h"

#include <memory>

namespace murelo::cli {

// The Pixel Converter window without a screen: an editor session holding the picture, a
// host that answers for the windows around it, and the window model over both.
struct ModelConversion {
    EditorSession session;
    HeadlessConverterHost host;
    ConverterWindowModel model{session, host};

    // The finished conversion: result, screen bytes, quantizer palette.
    const ConversionState& state() const { return model.conversion(); }
};

// Opens the window model over the loaded document, chooses page, palette, drawing colours,
// every option and value and then the mode as a user of the window would, and runs the
// conversion to its finish; the window stays open so its outputs can be read. The command
// line converts only this way, so it cannot drift from the window.
std::unique_ptr<ModelConversion> ConvertThroughModel(const Document& loaded, ConverterPage page,
                                                     int mode, const ConversionParameters& params);

} // namespace murelo::cli
