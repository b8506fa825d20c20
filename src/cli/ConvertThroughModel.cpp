// convert: the conversion runs through the converter window's model.
#include "ConvertThroughModel.h"

#include "core/app/ConverterRequest.h"

namespace murelo::cli {

std::unique_ptr<ModelConversion> ConvertThroughModel(const Document& loaded, ConverterPage page,
                                                     int mode, const ConversionParameters& params) {
    auto run = std::make_unique<ModelConversion>();
    // As the editor's Open leaves it: the loaded picture is the one undo step.
    run->session.mutableDocument() = loaded;
    run->session.restartUndo();
    RunConverterRequest(run->model, run->session, ConverterRequest{page, mode, params});
    return run;
}

} // namespace murelo::cli
