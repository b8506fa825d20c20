#include "core/convert/ScreenFileSet.h"

#include "core/editor/AtomicFile.h"

namespace murelo {

std::vector<std::uint8_t> WithBsaveHeader(const BsaveHeaderBytes& header,
                                          std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

ScreenFileReport WriteScreenFileSet(const std::vector<NamedBytes>& files) {
    ScreenFileReport report;
    bool stopped = false;
    for (const NamedBytes& file : files) {
        if (stopped) {
            report.skipped.push_back(file.name);
            continue;
        }
        // The one place that touches the disk for the converter's files.
        try {
            WriteFileAtomically(file.name, file.bytes);
            report.written.push_back(file.name);
        } catch (const FileWriteError& e) {
            report.failures.push_back({file.name, e.reason});
            stopped = file.stopOnFailure;
        }
    }
    return report;
}

std::string WrittenText(const ScreenFileReport& report, const std::vector<NamedBytes>& files) {
    std::string text;
    for (const std::string& name : report.written)
        for (const NamedBytes& f : files)
            if (f.name == name) {
                text += name + "  " + std::to_string(f.bytes.size()) + " bytes\n";
                break;
            }
    return text;
}

std::string FailureText(const ScreenFileReport& report) {
    std::string text;
    for (const ScreenFileFailure& f : report.failures) {
        if (!text.empty())
            text += '\n';
        text += "Cannot write " + f.name + ": " + f.reason;
    }
    for (const std::string& name : report.skipped)
        text += "\nNot written: " + name;
    return text;
}

} // namespace murelo
