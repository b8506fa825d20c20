#include "core/export/CasImage.h"

#include "core/editor/AtomicFile.h"

namespace murelo {

namespace {

constexpr std::size_t CasAlignment = 16;

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(std::uint8_t(value & 0xFF));
    out.push_back(std::uint8_t(value >> 8));
}

} // namespace

std::vector<std::uint8_t> BuildCasImage(const TapeFile& tape) {
    std::vector<std::uint8_t> cas;
    cas.reserve(64 + tape.loader.size() + tape.packed.size());
    cas.insert(cas.end(), CasBlockSync.begin(), CasBlockSync.end());
    cas.insert(cas.end(), BinaryFileMarkCount, BinaryFileMark);
    cas.insert(cas.end(), tape.name.begin(), tape.name.end());
    cas.insert(cas.end(), CasBlockSync.begin(), CasBlockSync.end());
    PutWord(cas, tape.header.start);
    PutWord(cas, tape.header.end);
    PutWord(cas, tape.header.execution);
    cas.insert(cas.end(), tape.loader.begin(), tape.loader.end());
    cas.insert(cas.end(), tape.packed.begin(), tape.packed.end());
    cas.insert(cas.end(), CasAlignment - cas.size() % CasAlignment, 0);
    return cas;
}

void WriteCasImage(const std::filesystem::path& path, const TapeFile& tape) {
    WriteFileAtomically(path, BuildCasImage(tape));
}

} // namespace murelo
