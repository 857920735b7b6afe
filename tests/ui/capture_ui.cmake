# Capture window under a real X server (xcb): screen grab, mouse, keys,
# clipboard and saved files.
add_executable(qelvar_capture_ui_tests ${CMAKE_CURRENT_LIST_DIR}/capture/catch_screen_test.cpp)
target_link_libraries(qelvar_capture_ui_tests PRIVATE qelvar_ui Qt6::Test)
qelvar_warnings(qelvar_capture_ui_tests)
add_test(NAME capture_ui COMMAND qelvar_capture_ui_tests)
set_tests_properties(capture_ui PROPERTIES LABELS gui TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=xcb;WAYLAND_DISPLAY=;XDG_SESSION_TYPE=x11")

# The same tests on a smaller 16-bit screen of their own (about 3 s).
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
    add_test(NAME capture_ui_1280x1024x16
             COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x16"
                     $<TARGET_FILE:qelvar_capture_ui_tests>)
    # xvfb-run picks a free display number racily: one at a time.
    set_tests_properties(capture_ui_1280x1024x16 PROPERTIES LABELS gui RESOURCE_LOCK xvfb_run TIMEOUT 120
                         ENVIRONMENT "QT_QPA_PLATFORM=xcb;WAYLAND_DISPLAY=;XDG_SESSION_TYPE=x11")

    # A screen at scale 2: 3840 x 2160 device pixels shown as 1920 x 1080.
    add_executable(qelvar_capture_scaled_tests
                   ${CMAKE_CURRENT_LIST_DIR}/capture/catch_screen_scaled_test.cpp)
    target_link_libraries(qelvar_capture_scaled_tests PRIVATE qelvar_ui Qt6::Test)
    qelvar_warnings(qelvar_capture_scaled_tests)
    add_test(NAME capture_ui_3840x2160_scale2
             COMMAND ${XVFB_RUN} -a -s "-screen 0 3840x2160x24"
                     $<TARGET_FILE:qelvar_capture_scaled_tests>)
    set_tests_properties(capture_ui_3840x2160_scale2 PROPERTIES LABELS gui TIMEOUT 120
                         RESOURCE_LOCK xvfb_run ENVIRONMENT
                         "QT_QPA_PLATFORM=xcb;QT_SCALE_FACTOR=2;WAYLAND_DISPLAY=;XDG_SESSION_TYPE=x11")
endif()

if(QELVAR_BUILD_BENCH)
    find_package(benchmark REQUIRED)
    add_executable(bench_capture_ui ${CMAKE_CURRENT_LIST_DIR}/capture/bench_capture_ui.cpp)
    target_link_libraries(bench_capture_ui PRIVATE qelvar_ui Qt6::Test benchmark::benchmark)
    qelvar_warnings(bench_capture_ui)
    add_dependencies(benchmarks bench_capture_ui)
endif()
