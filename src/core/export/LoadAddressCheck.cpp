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

} // namespace

LoadAddressResult CheckLoadAddress(int choice, std::size_t packedSize) {
    if (choice < 0 || choice >= StartAddressCount)
        throw std::out_of_range("start address item must be 0.." +
                                std::to_string(StartAddressCount - 1));
    const unsigned start = StartAddresses[std::size_t(choice)];
    // Computed wide: a large screen at a high start must not wrap round below 0xF380.
    const std::size_t end = start + (LoaderSize - 1) + packedSize;

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
    return result;
}

} // namespace murelo
