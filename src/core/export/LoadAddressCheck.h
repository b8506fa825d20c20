#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace murelo {

// The tape loader's length; the packed screen follows it directly.
constexpr std::size_t LoaderSize = 496;

// The first byte of the BASIC work area; a tape must end below it.
constexpr unsigned BasicWorkArea = 0xF380;

// The "Start Address" items, in list order.
constexpr int StartAddressCount = 5;
constexpr std::array<std::uint16_t, StartAddressCount> StartAddresses = {0xC800, 0xC000, 0xB000,
                                                                         0xA000, 0x9000};
constexpr std::array<std::string_view, StartAddressCount> StartAddressCaptions = {
    "C800H (16KB-32KB)", "C000H (16KB-32KB)", "B000H (32KB)", "A000H (32KB)", "9000H (32KB)"};

// The three addresses of a tape's binary file header.
struct TapeHeader {
    std::uint16_t start = 0;
    std::uint16_t end = 0; // the last byte, inclusive
    std::uint16_t execution = 0;

    friend bool operator==(const TapeHeader&, const TapeHeader&) = default;
};

struct LoadAddressResult {
    bool fits = false;
    TapeHeader header;       // start, end and execution = start; meaningful when fits
    std::string messageText; // replaces the message window's text
    std::string errorBox;    // the "Export" box text when the data does not fit, else empty
    // When the data does not fit: the item of the highest start address that would hold it,
    // or -1 when none does.
    int highestFittingChoice = -1;
};

// Places the loader and a packed screen of `packedSize` bytes at the start address of
// item `choice` (0..4, std::out_of_range otherwise) and checks that they end below the
// BASIC work area. When they do not, the message and the box also name the highest start
// address of the list that would hold them.
LoadAddressResult CheckLoadAddress(int choice, std::size_t packedSize);

} // namespace murelo
