#pragma once

#include "core/editor/BsaveHeader.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace murelo {

// One file of a set, built whole in memory before anything is written.
struct NamedBytes {
    std::string name;
    std::vector<std::uint8_t> bytes;
    // A file whose failure ends the set: the files after it are not written. The first
    // field of an interlaced SCREEN 5 pair and the colour planes let the others go on.
    bool stopOnFailure = true;
};

// A BSAVE header followed by the data bytes.
std::vector<std::uint8_t> WithBsaveHeader(const BsaveHeaderBytes& header,
                                          std::span<const std::uint8_t> data);

struct ScreenFileFailure {
    std::string name;
    std::string reason; // the system's words
};

struct ScreenFileReport {
    std::vector<std::string> written;
    std::vector<ScreenFileFailure> failures;
    std::vector<std::string> skipped; // not tried because an earlier file failed

    bool ok() const { return failures.empty(); }
};

// Writes the files in order, each replacing any file of its name only once it is complete
// (an unwritable file never destroys the one it would have replaced). Nothing is thrown.
ScreenFileReport WriteScreenFileSet(const std::vector<NamedBytes>& files);

// The files written, one a line with its size ("D/PIC.SC5  27143 bytes"), for the message
// window: what was written where, under the names the writers gave.
std::string WrittenText(const ScreenFileReport& report, const std::vector<NamedBytes>& files);

// One text for the one message box: every file that failed and why ("Cannot write
// PIC.SC5: Permission denied"), one line each, and the files left unwritten after it.
std::string FailureText(const ScreenFileReport& report);

} // namespace murelo
