# LayerIncludes.cmake: checks one layer's include paths: every header of SEES compiles with them
# (its own headers and those of the layers below), and every header of REFUSES is not found
# (the layers above).
# Run as: cmake -DCXX=<compiler> -DINCLUDES=<dir|dir|...> -DSEES=<h|h|...> -DREFUSES=<h|h|...>
#         -DWORK=<scratch folder> -P LayerIncludes.cmake
string(REPLACE "|" ";" includes "${INCLUDES}")
string(REPLACE "|" ";" sees "${SEES}")
string(REPLACE "|" ";" refuses "${REFUSES}")
list(TRANSFORM includes PREPEND "-I")
file(MAKE_DIRECTORY ${WORK})

# Compiles a file that includes header; sets ok to whether it compiled and output to the log.
function(probe header)
    string(MAKE_C_IDENTIFIER ${header} name)
    set(source ${WORK}/${name}.cpp)
    file(WRITE ${source} "#include \"${header}\"\n")
    execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only ${includes} ${source}
        RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
    if(result EQUAL 0)
        set(ok TRUE PARENT_SCOPE)
    else()
        set(ok FALSE PARENT_SCOPE)
    endif()
    set(output "${log}" PARENT_SCOPE)
endfunction()

set(failed "")
foreach(header IN LISTS sees)
    probe(${header})
    if(ok)
        message("sees: ${header}")
    else()
        message("${output}")
        list(APPEND failed "does not see ${header}")
    endif()
endforeach()
foreach(header IN LISTS refuses)
    probe(${header})
    if(NOT ok AND output MATCHES "No such file")
        message("refuses: ${header}")
    else()
        message("${output}")
        list(APPEND failed "reaches ${header}")
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "${failed}")
endif()
