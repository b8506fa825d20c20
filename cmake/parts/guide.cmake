# The user guide: docs/guide.md rendered to one HTML page with cmark-gfm at build time. The page
# lies beside the editor in the build tree and under share/doc/murelo9918 when installed,
# where Help > Help finds it.
include(GNUInstallDirs)
find_program(MURELO_CMARK cmark-gfm REQUIRED)

set(guide_source ${CMAKE_SOURCE_DIR}/docs/guide.md)
set(guide_html ${CMAKE_BINARY_DIR}/src/gui/guide.html)
add_custom_command(
    OUTPUT ${guide_html}
    COMMAND ${CMAKE_COMMAND} -DCMARK=${MURELO_CMARK} -DINPUT=${guide_source}
            -DOUTPUT=${guide_html} -P ${CMAKE_SOURCE_DIR}/docs/RenderGuide.cmake
    DEPENDS ${guide_source} ${CMAKE_SOURCE_DIR}/docs/RenderGuide.cmake
    COMMENT "Rendering the user guide"
    VERBATIM)
add_custom_target(murelo_guide ALL DEPENDS ${guide_html})
install(FILES ${guide_html} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/murelo9918)
# The pictures the guide shows lie beside its page, in the build tree and when installed.
foreach(picture IN ITEMS characters-budget.png)
    configure_file(${CMAKE_SOURCE_DIR}/docs/${picture} ${CMAKE_BINARY_DIR}/src/gui/${picture}
                   COPYONLY)
    install(FILES ${CMAKE_SOURCE_DIR}/docs/${picture}
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/murelo9918)
endforeach()
foreach(program IN ITEMS murelo9918 murelo9918-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

if(TARGET gui_UserGuideTest)
    # The window test opens the page the build made; the install check below looks for the
    # installed copy where the installed editor looks for it.
    add_dependencies(gui_UserGuideTest murelo_guide)
    target_compile_definitions(gui_UserGuideTest PRIVATE
        MURELO_GUIDE_DIR="${CMAKE_BINARY_DIR}/src/gui")
    set(guide_prefix ${CMAKE_BINARY_DIR}/guide-install-check)
    add_test(NAME guide_installed
             COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DPREFIX=${guide_prefix}
                     -P ${CMAKE_SOURCE_DIR}/docs/CheckGuideInstall.cmake)
endif()
