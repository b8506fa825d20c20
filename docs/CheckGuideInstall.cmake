# Installs the build into a scratch prefix and checks that the guide lands where the installed
# editor (PREFIX/bin) looks for it, rendered from the Markdown (its tables included).
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "installing into ${PREFIX} failed")
endif()
set(page ${PREFIX}/share/doc/murelo9918/guide.html)
if(NOT EXISTS ${page})
    message(FATAL_ERROR "no guide at ${page}")
endif()
if(NOT EXISTS ${PREFIX}/bin/murelo9918)
    message(FATAL_ERROR "no editor in ${PREFIX}/bin")
endif()
file(READ ${page} html)
foreach(expected "<title>Murelo 9918 user guide</title>" "<h2>The two-colour rule</h2>" "<table>"
        "BLOAD&quot;CAS:&quot;")
    string(FIND "${html}" "${expected}" at)
    if(at LESS 0)
        message(FATAL_ERROR "the installed guide lacks ${expected}")
    endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
