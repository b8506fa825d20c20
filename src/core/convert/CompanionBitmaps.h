#pragma once

#include "core/convert/ConversionState.h"
#include "core/convert/ScreenFileKinds.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace murelo {

// The names the bitmap writers remember, one per kind, of any length. Emptied when the
// converter window is made, and by every Open, New and drop of a picture.
class ConverterFileNames {
  public:
    const std::string& operator[](CompanionKind kind) const { return names_[index(kind)]; }
    std::string& operator[](CompanionKind kind) { return names_[index(kind)]; }
    void forget() { names_ = {}; }

  private:
    static std::size_t index(CompanionKind kind) { return std::size_t(kind); }
    std::array<std::string, CompanionKindCount> names_;
};

// What the V9938 and V9958 "Save" proposes: the remembered name, else the picture's file
// name without extension (nothing when it has none) followed by the kind's suffix.
std::string ProposedSaveName(const ConverterFileNames& names, CompanionKind kind,
                             std::string_view pictureFileName);

// The name "Save" writes for the dialog's choice: ".bmp" in place of any other extension,
// kept when it is ".bmp" in any letter case.
std::string SaveFileName(std::string_view chosen);

// What the PC-6x01 Export proposes. The first export after the names were forgotten
// proposes the picture's name with "_P6.bmp" (and remembers it); later ones propose the
// bitmap dialog's own last name.
std::string ProposedPc6001Name(ConverterFileNames& names, std::string_view pictureFileName,
                               std::string_view dialogName);

// The "Save" bitmap of a finished V9938 or V9958 conversion: SCREEN 5, 6 and 7 as a 4-bit
// bitmap over the quantizer palette; SCREEN 8 and the YJK modes as the result itself.
std::vector<std::uint8_t> CompanionBitmap(const ConversionState& state);

// The PC-6x01 Export: an 8-bit bitmap of the result sampled by the mode's pixel aspect,
// over the 16 colours of the palette kind (the rest of its table white). A sampled pixel
// outside those colours stops it: no bytes, and the reason.
struct Pc6001Bitmap {
    std::vector<std::uint8_t> bytes;
    std::string error;
    bool ok() const { return error.empty(); }
};
Pc6001Bitmap Pc6001ExportBitmap(const ConversionState& state);

} // namespace murelo
