# The perceptual scores and the dithered Graphic 2 mode spend their time in loops along
# picture rows and over the 16 palette entries (blurs, filtered errors, per-colour costs).
# At -O2 the compiler only vectorizes loops it needs no run-time checks for, and it keeps
# a division under a condition out of vector registers in case it might trap; these files
# get its full cost model and no floating-point traps (the program never enables them).
# They are also built at -O3: the run search's many short fixed loops over a run's pixels
# and a pair's colours are unrolled there. None of this reorders floating-point sums, so
# results stay the same bit for bit.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    file(GLOB murelo_convert_vector_sources CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/src/core/convert/PerceptualError.cpp
         ${CMAKE_SOURCE_DIR}/src/core/convert/Dither*.cpp
         ${CMAKE_SOURCE_DIR}/src/core/convert/GamutMap.cpp
         ${CMAKE_SOURCE_DIR}/src/core/convert/RunPairSearch.cpp)
    if(murelo_convert_vector_sources)
        set_source_files_properties(${murelo_convert_vector_sources}
            DIRECTORY ${CMAKE_SOURCE_DIR}/src/core
            PROPERTIES COMPILE_OPTIONS "-O3;-ftree-vectorize;-fvect-cost-model=dynamic;-fno-trapping-math")
    endif()
endif()
