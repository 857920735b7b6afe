# The chart window under a real X server (xcb): opening zoom against the
# screen, resizing, periods, relations, saved files and the clipboard.  The
# second run repeats it on a 3840 x 2160 screen scaled 2x.
add_executable(tst_chartperiods ${CMAKE_CURRENT_LIST_DIR}/chartwindow/tst_chartperiods.cpp)
target_link_libraries(tst_chartperiods PRIVATE qelvar_ui Qt6::Test)
target_compile_definitions(tst_chartperiods PRIVATE QELVAR_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
qelvar_warnings(tst_chartperiods)
add_dependencies(tst_chartperiods qelvar-cli)
add_test(NAME chartwindow_ui COMMAND tst_chartperiods)
set_tests_properties(chartwindow_ui PROPERTIES LABELS gui TIMEOUT 120
                     ENVIRONMENT "QT_QPA_PLATFORM=xcb")
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
    add_test(NAME chartwindow_ui_hidpi
             COMMAND ${XVFB_RUN} -a -s "-screen 0 3840x2160x24"
                     env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 $<TARGET_FILE:tst_chartperiods>)
    # xvfb-run picks a free display number racily: one at a time.
    set_tests_properties(chartwindow_ui_hidpi PROPERTIES LABELS gui TIMEOUT 120
                         RESOURCE_LOCK xvfb_run)
endif()
