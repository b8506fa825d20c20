#include "core/export/loader/LoaderImage.h"

#include <stdexcept>

namespace murelo {

const LoaderBytes& LoaderImage(int choice) {
    if (choice < 0 || choice >= StartAddressCount)
        throw std::out_of_range("start address item must be 0.." +
                                std::to_string(StartAddressCount - 1));
    return AssembledLoaders[std::size_t(choice)];
}

} // namespace murelo
