# The core folders hold the engine, the models and the file formats; the Qt
# layer lives under ui/.  Configure stops when a core file includes a Qt
# header, so the layering stays visible in the tree and not only in the
# link lines.
function(qelvar_check_no_qt)
    set(offenders)
    foreach(folder IN LISTS ARGN)
        file(GLOB_RECURSE files CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
        foreach(file IN LISTS files)
            file(STRINGS ${file} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/|qt[a-z]*\\.h)")
            if(hits)
                file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${file})
                list(APPEND offenders ${rel})
            endif()
        endforeach()
    endforeach()
    if(offenders)
        list(JOIN offenders "\n  " text)
        message(FATAL_ERROR "Qt included in a core folder (move the file under ui/):\n  ${text}")
    endif()
endfunction()
