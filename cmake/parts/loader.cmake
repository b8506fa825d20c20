# The tape loader: Loader.asm assembled with pasmo once per start address, embedded into a
# small library that murelo_export links. The loader's emulator test links libz80ex.
find_program(MURELO_PASMO pasmo REQUIRED)

set(loader_dir ${CMAKE_SOURCE_DIR}/src/core/export/loader)
set(loader_out ${CMAKE_BINARY_DIR}/loader)
file(MAKE_DIRECTORY ${loader_out})

set(loader_images "")
foreach(start IN ITEMS C800 C000 B000 A000 9000)
    set(image ${loader_out}/Loader${start}.bin)
    add_custom_command(
        OUTPUT ${image}
        COMMAND ${MURELO_PASMO} --bin --equ START=0${start}H ${loader_dir}/Loader.asm ${image}
        DEPENDS ${loader_dir}/Loader.asm
        COMMENT "Assembling the tape loader for ${start}H"
        VERBATIM)
    list(APPEND loader_images ${image})
endforeach()

set(loader_cpp ${loader_out}/AssembledLoaders.cpp)
add_custom_command(
    OUTPUT ${loader_cpp}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${loader_cpp} "-DIMAGES=${loader_images}" -DIMAGE_SIZE=496
            -P ${loader_dir}/EmbedLoaders.cmake
    DEPENDS ${loader_images} ${loader_dir}/EmbedLoaders.cmake
    COMMENT "Embedding the assembled tape loaders"
    VERBATIM)

add_library(murelo_loader STATIC ${loader_cpp})
target_include_directories(murelo_loader PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(murelo_export PUBLIC murelo_loader)

if(TARGET test_export)
    find_path(MURELO_Z80EX_INCLUDE z80ex/z80ex.h REQUIRED)
    find_library(MURELO_Z80EX_LIBRARY z80ex REQUIRED)
    target_include_directories(test_export PRIVATE ${MURELO_Z80EX_INCLUDE})
    target_link_libraries(test_export PRIVATE ${MURELO_Z80EX_LIBRARY})
endif()
