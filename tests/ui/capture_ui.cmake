# Capture window under a real X server (xcb): screen grab, mouse, keys,
# clipboard and saved files.
add_executable(qelvar_capture_ui_tests ${CMAKE_CURRENT_LIST_DIR}/capture/catch_screen_test.cpp)
target_link_libraries(qelvar_capture_ui_tests PRIVATE qelvar_ui Qt6::Test)
qelvar_warnings(qelvar_capture_ui_tests)
add_test(NAME capture_ui COMMAND qelvar_capture_ui_tests)
set_tests_properties(capture_ui PROPERTIES LABELS gui TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=xcb")

if(QELVAR_BUILD_BENCH)
    find_package(benchmark REQUIRED)
    add_executable(bench_capture_ui ${CMAKE_CURRENT_LIST_DIR}/capture/bench_capture_ui.cpp)
    target_link_libraries(bench_capture_ui PRIVATE qelvar_ui Qt6::Test benchmark::benchmark)
    qelvar_warnings(bench_capture_ui)
    add_dependencies(benchmarks bench_capture_ui)
endif()
