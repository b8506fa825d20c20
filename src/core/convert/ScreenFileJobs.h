#pragma once

#include "core/convert/CompanionBitmaps.h"
#include "core/convert/ConversionState.h"
#include "core/convert/ScreenFileDialogs.h"
#include "core/convert/ScreenFileSet.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace murelo {

// What the converter window keeps for its Save and Export buttons: the remembered bitmap
// names and the name each save dialog proposes next (the one it held after its last use).
struct ScreenFileSession {
    ConverterFileNames remembered;
    std::array<std::string, ScreenDialogCount> dialogNames;

    std::string& dialogName(ScreenDialog d) { return dialogNames[std::size_t(d)]; }
};

// The window's side of a button press.
struct ScreenFileHooks {
    // Shows the dialog proposing `name`; nothing when cancelled. The toolkit's own overwrite
    // question must be off: screen files are replaced without one, bitmaps ask below.
    std::function<std::optional<std::string>(ScreenDialog dialog, const std::string& name)>
        chooseFile;
    // "File Exists.\nOverwrite?" with the caption "Save"; true only for OK.
    std::function<bool(const std::string& name)> confirmOverwrite;
    // One message box naming what could not be written and why.
    std::function<void(const std::string& text)> reportFailure;
    // The files written with their sizes, one a line (WrittenText), for the message window.
    std::function<void(const std::string& text)> reportWritten;
    // Whether a file of the name exists (tests replace it).
    std::function<bool(const std::string& name)> fileExists;
};

enum class ScreenFileOutcome {
    Refused,   // size or mode the files cannot hold: nothing shown (the button is disabled)
    Cancelled, // the dialog was cancelled: nothing written, no name remembered
    Declined,  // an existing bitmap was not to be replaced
    Failed,    // reported through reportFailure
    Written,
};

struct ScreenFileJobResult {
    ScreenFileOutcome outcome = ScreenFileOutcome::Written;
    ScreenFileReport report;
};

// "Export" of any page: the screen files, the colour planes, or on the PC-6x01 page its
// bitmap. `pictureFileName` is the picture's current file name.
ScreenFileJobResult RunExportButton(const ConversionState& state, bool connectPalette,
                                    std::string_view pictureFileName, ScreenFileSession& session,
                                    const ScreenFileHooks& hooks);

// "Save" of the V9938 and V9958 pages: the companion bitmap.
ScreenFileJobResult RunSaveButton(const ConversionState& state, std::string_view pictureFileName,
                                  ScreenFileSession& session, const ScreenFileHooks& hooks);

} // namespace murelo
