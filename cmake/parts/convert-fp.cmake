# The converters' floating-point results (the quantizer's single-precision items and double
# sums, the distance roots) must come out the same whatever the compiler chooses, so these
# files are built without floating-point contraction: no multiply and add is fused into one
# instruction with a different rounding.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    file(GLOB murelo_convert_fp_sources CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/src/core/convert/Quantizer*.cpp
         ${CMAKE_SOURCE_DIR}/src/core/convert/Yjk*.cpp
         ${CMAKE_SOURCE_DIR}/src/core/convert/Pc6001*.cpp
         ${CMAKE_SOURCE_DIR}/src/core/convert/Pc8801*.cpp
         ${CMAKE_SOURCE_DIR}/src/core/convert/PcConversion*.cpp)
    if(murelo_convert_fp_sources)
        set_source_files_properties(${murelo_convert_fp_sources}
            DIRECTORY ${CMAKE_SOURCE_DIR}/src/core
            PROPERTIES COMPILE_OPTIONS -ffp-contract=off)
    endif()
endif()
