# Writes the linker's dynamic list of what the editor module takes from the program: every
# symbol its inputs leave undefined, and every weak one they define, which must be one object
# shared with the program's copy (inline variables, type information, template statics).
#   cmake -DNM=nm -DOUTPUT=FILE -DINPUTS="a.o;b.a;..." -P editor_imports.cmake
set(symbols "")
foreach(input IN LISTS INPUTS)
    execute_process(COMMAND ${NM} --format=posix ${input}
                    OUTPUT_VARIABLE listing RESULT_VARIABLE failed ERROR_QUIET)
    if(failed)
        message(FATAL_ERROR "${NM} could not read ${input}")
    endif()
    string(REGEX MATCHALL "[^\n]+" lines "${listing}")
    foreach(line IN LISTS lines)
        if(line MATCHES "^([^ ]+) [UWVu]( |$)")
            list(APPEND symbols "${CMAKE_MATCH_1}")
        endif()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES symbols)
list(SORT symbols)
set(text "{\n")
foreach(symbol IN LISTS symbols)
    string(APPEND text "  \"${symbol}\";\n")
endforeach()
string(APPEND text "};\n")
# Written only when it changed, so the program is linked again only then.
file(WRITE ${OUTPUT}.new "${text}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.new ${OUTPUT})
file(REMOVE ${OUTPUT}.new)
