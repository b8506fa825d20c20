#include "core/export/Dedupe.h"

#include "core/export/VramTables.h"

#include <algorithm>
#include <stdexcept>

namespace murelo {
namespace {

CharacterBytes CellLines(ConstVramImage vram, std::size_t tableOffset, int cell) {
    CharacterBytes lines;
    const auto* first = &vram[tableOffset + 8 * std::size_t(cell)];
    std::copy(first, first + 8, lines.begin());
    return lines;
}

// Each cell either repeats a character seen before (all 16 bytes equal) or adds a new one.
int Dedupe(ConstVramImage vram, int firstCell, int cellCount, CharacterSet& set) {
    set = CharacterSet{};
    for (int i = 0; i < cellCount; ++i) {
        const CharacterBytes pattern = CellLines(vram, VramPatternTable, firstCell + i);
        const CharacterBytes colors = CellLines(vram, VramColorTable, firstCell + i);
        int number = 0;
        while (number < set.count &&
               (set.UniquePatterns[number] != pattern || set.UniqueColors[number] != colors))
            ++number;
        if (number == set.count) {
            set.UniquePatterns[number] = pattern;
            set.UniqueColors[number] = colors;
            ++set.count;
        }
        set.CharacterNames[i] = std::uint8_t(number);
    }
    return set.count;
}

} // namespace

int DedupeBank(ConstVramImage vram, int bank, CharacterSet& set) {
    if (bank < 0 || bank >= VramBankCount)
        throw std::out_of_range("bank " + std::to_string(bank) + " is not 0, 1 or 2");
    return Dedupe(vram, BankCellCount * bank, BankCellCount, set);
}

int DedupeScreen(ConstVramImage vram, CharacterSet& set) {
    return Dedupe(vram, 0, ScreenCellCount, set);
}

int CountScreenCharacters(ConstVramImage vram, std::string& messageText) {
    CharacterSet set;
    const int count = DedupeScreen(vram, set);
    messageText += "\n";
    messageText += "Number of Character Pattern(s): " + std::to_string(count);
    return count;
}

} // namespace murelo
