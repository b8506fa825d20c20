#pragma once

namespace murelo {

// Which groups of the export dialog can be used for a data type ("Binary Data" 0,
// "CAS Data" 1, "WAV Data" 2, "SCREEN 2 IMAGE (*.SC2)" 3) and the "Compress" choice.
struct ExportEnabling {
    bool binaryOptions;  // "Normal", "Compress", "Add MSX Header"
    bool compressOptions; // "Divide NAM Table", "Store 1 BANK if possible"
    bool tapeOptions;    // start address and tape file name
    bool wavOptions;     // volume and baud rate
};

ExportEnabling ExportControlsEnabling(int dataType, bool compressChosen);

} // namespace murelo
