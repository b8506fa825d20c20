#include "core/export/LoadAddressCheck.h"

#include <cstdio>
#include <stdexcept>

namespace murelo {

namespace {

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

// The last byte of the loader and the packed screen placed at `start`, computed wide: a large
// screen at a high start must not wrap round below 0xF380.
std::size_t LastByte(unsigned start, std::size_t packedSize) {
    return start + (LoaderSize - 1) + packedSize;
}

// The list runs from the highest start address down, so the first item that holds the data
// is the highest that does.
int HighestFittingChoice(std::size_t packedSize) {
    for (int item = 0; item < StartAddressCount; ++item)
        if (LastByte(StartAddresses[std::size_t(item)], packedSize) < BasicWorkArea)
            return item;
    return -1;
}

} // namespace

LoadAddressResult CheckLoadAddress(int choice, std::size_t packedSize) {
    if (choice < 0 || choice >= StartAddressCount)
        throw std::out_of_range("start address item must be 0.." +
                                std::to_string(StartAddressCount - 1));
    const unsigned start = StartAddresses[std::size_t(choice)];
    const std::size_t end = LastByte(start, packedSize);

    LoadAddressResult result;
    result.messageText =
        "Address Check :\n\nStart : " + Hex4(start) + "h\n End  : " + Hex4(unsigned(end)) + "h\n";
    if (end < BasicWorkArea) {
        result.fits = true;
        result.header = {std::uint16_t(start), std::uint16_t(end), std::uint16_t(start)};
        return result;
    }
    result.messageText += "\nError!\n\n* Data Over Flow ( Exceeded the BASIC WorkArea F380h)\n";
    result.errorBox =
        "Data Over Flow Error!\n\n" + Hex4(start) + "h - " + Hex4(unsigned(end)) + "h";
    // The way out: the highest start address whose tape still ends below the work area.
    result.highestFittingChoice = HighestFittingChoice(packedSize);
    std::string advice;
    if (result.highestFittingChoice >= 0)
        advice = "The highest Start Address that fits: " +
                 std::string(StartAddressCaptions[std::size_t(result.highestFittingChoice)]);
    else
        advice = "No Start Address fits " + std::to_string(LoaderSize + packedSize) + " bytes.";
    result.messageText += "* " + advice + "\n";
    result.errorBox += "\n\n" + advice;
    return result;
}

} // namespace murelo
