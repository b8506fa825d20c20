# The perceptual scores and the dithered Graphic 2 mode spend their time in loops along
# picture rows (blurs, filtered errors, per-colour costs). At -O2 the compiler only
# vectorizes loops it needs no run-time checks for; these files get its full cost model.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    file(GLOB murelo_convert_vector_sources CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/src/core/convert/PerceptualError.cpp)
    if(murelo_convert_vector_sources)
        set_source_files_properties(${murelo_convert_vector_sources}
            DIRECTORY ${CMAKE_SOURCE_DIR}/src/core
            PROPERTIES COMPILE_OPTIONS "-ftree-vectorize;-fvect-cost-model=dynamic")
    endif()
endif()
