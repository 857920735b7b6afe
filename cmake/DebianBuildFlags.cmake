# Debian's compiler and linker flags (dpkg-buildflags) with every hardening
# feature: fortified functions, stack protector, format checks, read-only
# relocations and immediate binding (PIE is the compiler's default).  The
# release preset turns this on for the packaged build.
option(QELVAR_DEB_BUILDFLAGS "Add the flags of dpkg-buildflags (hardening=+all)" OFF)

if(QELVAR_DEB_BUILDFLAGS)
    find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${DPKG_BUILDFLAGS} --get ${kind}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE deb_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
    # Prepended, so the build type's own flags (-O3 -DNDEBUG) still win.
    set(CMAKE_CXX_FLAGS "${deb_CPPFLAGS} ${deb_CXXFLAGS} ${CMAKE_CXX_FLAGS}")
    set(CMAKE_EXE_LINKER_FLAGS "${deb_LDFLAGS} ${CMAKE_EXE_LINKER_FLAGS}")
    message(STATUS "dpkg-buildflags: ${deb_CPPFLAGS} ${deb_CXXFLAGS} | ${deb_LDFLAGS}")
endif()
