# MingwSyntax.cmake: compiles the graphics classes against the real Windows, Direct3D 9 and
# D3DX 9 headers of mingw-w64 (syntax only, without the stand-ins on the include path), so that
# the stand-ins' declarations stay true to the real ones.
# Run as: cmake -DSOURCE_DIR=<repo> -P MingwSyntax.cmake
find_program(MINGW_CXX x86_64-w64-mingw32-g++)
if(NOT MINGW_CXX)
    message("MINGW-SYNTAX-SKIPPED: x86_64-w64-mingw32-g++ not found (g++-mingw-w64-x86-64)")
    return()
endif()

set(sources RenderDevice.cpp Sprite.cpp Background.cpp Line.cpp Font.cpp)
set(failed "")
foreach(source IN LISTS sources)
    set(path ${SOURCE_DIR}/gfx/${source})
    if(NOT EXISTS ${path})
        continue()
    endif()
    execute_process(
        COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra -Werror -fsyntax-only -I${SOURCE_DIR}
                -DZX_WINDOWS ${path}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(result EQUAL 0)
        message("ok: gfx/${source}")
    else()
        message("${output}")
        list(APPEND failed gfx/${source})
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "not valid against the real headers: ${failed}")
endif()
