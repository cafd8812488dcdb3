# Writes PROGRAM.map from the linked PROGRAM: the image base it was linked for ("B"), its
# routines ("S") and its line table ("L"), in the form app/LoggerSymbols.h reads.
# Usage: cmake -DNM=... -DOBJDUMP=... -DPROGRAM=... -P WriteSymbolMap.cmake

function(run_tool output)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE failed
                    ERROR_VARIABLE errors)
    if(failed)
        message(FATAL_ERROR "${ARGN} failed: ${errors}")
    endif()
    set(${output} "\n${text}" PARENT_SCOPE)
endfunction()

run_tool(headers ${OBJDUMP} -p ${PROGRAM})
if(NOT headers MATCHES "\nImageBase[ \t]+([0-9a-fA-F]+)")
    message(FATAL_ERROR "${PROGRAM} names no image base")
endif()
set(base "B ${CMAKE_MATCH_1}\n")

# Routines: code symbols, demangled, without the section names the linker adds.
run_tool(symbols ${NM} -C -n --defined-only ${PROGRAM})
string(REGEX REPLACE "\n([0-9a-fA-F]+) [Tt] ([^.\n][^\n]*)" "\nS \\1 \\2" symbols "${symbols}")
string(REGEX REPLACE "\n[^S\n][^\n]*" "" symbols "${symbols}")

# Lines: "<file> <line or -> 0x<address> [view] [stmt]" rows; headers are dropped.
run_tool(lines ${OBJDUMP} --dwarf=decodedline -w ${PROGRAM})
string(REGEX REPLACE "\n([^ \n][^\n]*[^ \n]|[^ \n]) +([0-9]+|-) +0x([0-9a-fA-F]+)[^\n]*"
       "\nL \\3 \\2 \\1" lines "${lines}")
string(REGEX REPLACE "\n[^L\n][^\n]*" "" lines "${lines}")
string(REGEX REPLACE "\nL[^ \n][^\n]*" "" lines "${lines}")

string(REGEX REPLACE "\n\n+" "\n" map "${symbols}${lines}\n")
file(WRITE ${PROGRAM}.map "${base}${map}")
