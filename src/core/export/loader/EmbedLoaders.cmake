# Writes a C++ source holding the assembled loader images, run at build time as
#   cmake -DOUTPUT=file.cpp -DIMAGES="a.bin;b.bin;..." -DIMAGE_SIZE=496 -P EmbedLoaders.cmake
# The images are listed in the order of the start-address list.
set(body "")
foreach(image IN LISTS IMAGES)
    file(SIZE ${image} size)
    if(NOT size EQUAL IMAGE_SIZE)
        message(FATAL_ERROR "${image} is ${size} bytes, the loader must be ${IMAGE_SIZE}")
    endif()
    file(READ ${image} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
    string(APPEND body "    {{\n        ${hex}\n    }},\n")
endforeach()
file(WRITE ${OUTPUT}.new
"// Generated at build time from src/core/export/loader/Loader.asm; do not edit.
#include \"core/export/loader/LoaderImage.h\"

namespace murelo {

const std::array<LoaderBytes, StartAddressCount> AssembledLoaders = {{
${body}}};

} // namespace murelo
")
# Only touch the output when it changed, so an unchanged loader rebuilds nothing.
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
