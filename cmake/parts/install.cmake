# Installing as a desktop program: both programs, the desktop entry with the picture types
# it opens, the SCREEN 2 image type, hicolor icons drawn at build time, AppStream metainfo.
include(GNUInstallDirs)
find_package(PNG REQUIRED)

set(MURELO_ICON_SIZES 16 32 48 64 128 256)
add_executable(murelo_make_icons ${CMAKE_SOURCE_DIR}/data/MakeIcons.cpp)
target_link_libraries(murelo_make_icons PRIVATE murelo_palette PNG::PNG)
set(icon_dir ${CMAKE_BINARY_DIR}/icons)
set(icon_files ${icon_dir}/murelo9918.svg)
foreach(size IN LISTS MURELO_ICON_SIZES)
    list(APPEND icon_files ${icon_dir}/murelo9918-${size}.png)
endforeach()
add_custom_command(OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND murelo_make_icons ${icon_dir} ${MURELO_ICON_SIZES}
    DEPENDS murelo_make_icons
    COMMENT "Drawing the program icons")
add_custom_target(murelo_icons ALL DEPENDS ${icon_files})

install(TARGETS murelo9918-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(MURELO_BUILD_GUI)
    install(TARGETS murelo9918 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
set(share ${CMAKE_INSTALL_DATAROOTDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/murelo9918.desktop DESTINATION ${share}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/example.murelo9918.Murelo9918.metainfo.xml
        DESTINATION ${share}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/murelo9918-sc2.xml DESTINATION ${share}/mime/packages)
foreach(size IN LISTS MURELO_ICON_SIZES)
    install(FILES ${icon_dir}/murelo9918-${size}.png
            DESTINATION ${share}/icons/hicolor/${size}x${size}/apps RENAME murelo9918.png)
endforeach()
install(FILES ${icon_dir}/murelo9918.svg DESTINATION ${share}/icons/hicolor/scalable/apps)

# The install itself, checked with the desktop's own validators.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
add_test(NAME install_validates
         COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check-install.sh ${CMAKE_BINARY_DIR}
                 ${DESKTOP_FILE_VALIDATE} ${APPSTREAMCLI})
set_tests_properties(install_validates PROPERTIES TIMEOUT 120)
