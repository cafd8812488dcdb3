# The exception log names the routines and source lines of stack addresses from a symbol
# map beside each Windows program, "<program file>.map", written after every link.
if(MINGW)
    # Line tables only: enough to name source lines, far smaller than full debug information.
    add_compile_options(-g1)
endif()

function(dovrel_add_symbol_map target)
    if(NOT MINGW)
        return()
    endif()
    target_compile_options(${target} PRIVATE -g1)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DOBJDUMP=${CMAKE_OBJDUMP}
                -DPROGRAM=$<TARGET_FILE:${target}>
                -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WriteSymbolMap.cmake
        # The map holds what the log needs of the line tables; the program goes without.
        COMMAND ${CMAKE_STRIP} --strip-debug $<TARGET_FILE:${target}>
        COMMENT "Writing the symbol map of ${target}"
        VERBATIM)
endfunction()
