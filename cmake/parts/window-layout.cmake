# The window layout test runs at the scale factors 1 (registered with the other window tests)
# and 2: the same windows on a screen of half the logical size must still keep out of the
# editor's menu and show their captions.
if(TARGET gui_WindowLayoutTest)
    add_test(NAME gui_WindowLayoutTest_x2 COMMAND gui_WindowLayoutTest)
    set_tests_properties(gui_WindowLayoutTest_x2 PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2" TIMEOUT 300)
endif()
