# The game's texts: every PO file of resources/lang/ (pl.po, the source language, first) is turned
# into the tables of app/TextCatalogue.h by tools/lang/zxlang when the build runs; a new language
# is one more file there. The Windows and browser builds run the Linux build's zxlang
# (ZX_HOST_BUILD), as they take its pack.
file(GLOB ZX_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/lang/*.po)
list(REMOVE_ITEM ZX_LANGUAGE_FILES ${CMAKE_SOURCE_DIR}/resources/lang/pl.po)
list(PREPEND ZX_LANGUAGE_FILES ${CMAKE_SOURCE_DIR}/resources/lang/pl.po)

if(WIN32 OR EMSCRIPTEN)
    set(ZX_LANGUAGE_TOOL ${ZX_HOST_BUILD}/tools/zxlang)
    if(NOT EXISTS ${ZX_LANGUAGE_TOOL})
        message(FATAL_ERROR "ZX_HOST_BUILD must name a Linux build with tools/zxlang")
    endif()
else()
    add_executable(zxlang tools/lang/zxlang.cpp tools/lang/PoCatalogue.cpp)
    target_include_directories(zxlang PRIVATE ${CMAKE_SOURCE_DIR})
    set_target_properties(zxlang PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
    set(ZX_LANGUAGE_TOOL zxlang)
endif()

add_library(zx_texts STATIC app/Language.cpp)
zx_layer_root(zx_texts app/Language.h)
set(ZX_TEXT_HEADER ${ZX_LAYER_ROOTS}/zx_texts/app/TextCatalogue.h)
set(ZX_TEXT_SOURCE ${CMAKE_BINARY_DIR}/generated/TextCatalogue.cpp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${ZX_TEXT_HEADER} ${ZX_TEXT_SOURCE}
    COMMAND ${ZX_LANGUAGE_TOOL} ${ZX_TEXT_HEADER} ${ZX_TEXT_SOURCE} ${ZX_LANGUAGE_FILES}
    DEPENDS ${ZX_LANGUAGE_FILES} ${ZX_LANGUAGE_TOOL}
    COMMENT "Turning resources/lang/*.po into the text tables")
add_custom_target(zx_text_tables DEPENDS ${ZX_TEXT_HEADER} ${ZX_TEXT_SOURCE})
target_sources(zx_texts PRIVATE ${ZX_TEXT_SOURCE})
add_dependencies(zx_texts zx_text_tables)
