# The desktop program starts on X screens of every common depth, each a
# virtual screen of its own started by the script.
find_program(XVFB_RUN xvfb-run)
find_program(XDOTOOL xdotool)
if(XVFB_RUN AND XDOTOOL)
    add_test(NAME start_on_screen_depths
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/start_on_screen_depths.sh $<TARGET_FILE:qelvar>)
    set_tests_properties(start_on_screen_depths PROPERTIES LABELS gui TIMEOUT 120
                         RESOURCE_LOCK xvfb_run)
endif()
