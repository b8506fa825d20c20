#pragma once

#include "core/editor/ScreenBuffer.h"

#include <array>
#include <cstdint>
#include <string>

namespace murelo {

constexpr int ScreenCellCount = 768;
constexpr int BankCellCount = 256;

using CharacterBytes = std::array<std::uint8_t, 8>; // the 8 lines of one cell

// The distinct characters (same 8 pattern and 8 colour bytes) of a run of cells, numbered in
// order of first appearance, and the number each cell uses.
struct CharacterSet {
    int count = 0;
    std::array<CharacterBytes, ScreenCellCount> UniquePatterns{};
    std::array<CharacterBytes, ScreenCellCount> UniqueColors{};
    // Stored as bytes: numbers past 255 (only DedupeScreen makes them) wrap.
    std::array<std::uint8_t, ScreenCellCount> CharacterNames{};
};

// The 256 cells of screen third `bank` (0..2, std::out_of_range otherwise); names 0..count-1
// in CharacterNames[0..255].
int DedupeBank(ConstVramImage vram, int bank, CharacterSet& set);

// All 768 cells as one sequence; CharacterNames[0..767].
int DedupeScreen(ConstVramImage vram, CharacterSet& set);

// Counting mode before a one-bank export: DedupeScreen, then the message window gets "\n"
// and "Number of Character Pattern(s): N" appended. Returns the count.
int CountScreenCharacters(ConstVramImage vram, std::string& messageText);

} // namespace murelo
