# Compiler warnings and sanitizers shared by every target of the project.
function(qelvar_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
    if(QELVAR_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

if(QELVAR_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
