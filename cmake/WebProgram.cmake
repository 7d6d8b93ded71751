# WebProgram.cmake: the game as a web page. The site folder (ZX_BIN_DIR/site) holds index.html
# and the page's scripts (dist/web/), zembrix.js and zembrix.wasm, zembrix.data (the font faces,
# which the browser has no fontconfig to find), data.zxp from a Linux build of the same sources
# (ZX_HOST_BUILD) and the licence texts; zembrix-web.zip holds the site.
set(ZX_HOST_BUILD "" CACHE PATH "A Linux build of this source whose pack is used")
if(NOT EXISTS ${ZX_HOST_BUILD}/bin/data.zxp)
    message(FATAL_ERROR "ZX_HOST_BUILD must name a Linux build with bin/data.zxp "
        "(scripts/web.sh makes one)")
endif()

set(zx_site ${ZX_BIN_DIR}/site)
set_target_properties(zembrix PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${zx_site} SUFFIX ".js")
target_compile_definitions(zembrix PRIVATE ZX_VERSION="${PROJECT_VERSION}"
    ZX_DATA_FROM_EXECUTABLE="" ZX_INSTALLED_DATA="")

# The faces the game asks for by name (gfx/platform/web/SystemFonts.cpp), in the program's
# files, and the one the page's boxes are written in, beside the page: Debian's, with their
# licences.
set(zx_fonts
    /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
    /usr/share/fonts/truetype/crosextra/Carlito-Bold.ttf
    /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
set(zx_font_stage ${CMAKE_BINARY_DIR}/fonts)
file(MAKE_DIRECTORY ${zx_font_stage})
foreach(font IN LISTS zx_fonts)
    file(COPY ${font} DESTINATION ${zx_font_stage})
endforeach()
file(COPY /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
    DESTINATION ${zx_site}/fonts)
set(zx_licences ${zx_site}/licences)
file(MAKE_DIRECTORY ${zx_licences})
file(COPY_FILE /usr/share/doc/fonts-liberation2/copyright ${zx_licences}/LiberationSans.txt)
file(COPY_FILE /usr/share/doc/fonts-crosextra-carlito/copyright ${zx_licences}/Carlito.txt)
file(COPY_FILE /usr/share/doc/fonts-dejavu-core/copyright ${zx_licences}/DejaVuSans.txt)

# ASYNCIFY lets the game's loop and its modal calls (the boxes, the name form) wait for the
# browser. It rewrites every function that might be on the stack during such a wait, which is
# any function that makes an indirect call; asyncify-remove.txt names the library code that never
# waits (FreeType, HarfBuzz, stb_image, SDL's blitters and renderers, SDL_ttf, libc++'s locale
# facets), which keeps 0.5 MB of rewritten code out of the program and so out of what the browser
# compiles before the first frame. IDBFS keeps the scores and the settings in the browser's
# IndexedDB. SDL's audio calls two functions of emscripten's library, which are linked in only
# when named: in a response file, since CMake cannot pass their names' "$" through to emcc.
target_link_options(zembrix PRIVATE -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    -sASYNCIFY_REMOVE=@${CMAKE_SOURCE_DIR}/dist/web/asyncify-remove.txt
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=33554432 -sENVIRONMENT=web -lidbfs.js
    -sEXPORTED_RUNTIME_METHODS=FS,addRunDependency,removeRunDependency
    @${CMAKE_SOURCE_DIR}/dist/web/library-functions.rsp
    --preload-file ${zx_font_stage}@/fonts)
set_property(TARGET zembrix APPEND PROPERTY LINK_DEPENDS
    ${CMAKE_SOURCE_DIR}/dist/web/asyncify-remove.txt)

set(zx_page_files ${zx_site}/index.html ${zx_site}/page.js ${zx_site}/replay.js
    ${zx_site}/levels.js ${zx_site}/data.zxp
    ${zx_licences}/IndieFlower-OFL.txt)
add_custom_command(OUTPUT ${zx_page_files}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/web/index.html
        ${CMAKE_SOURCE_DIR}/dist/web/page.js ${CMAKE_SOURCE_DIR}/dist/web/replay.js
        ${CMAKE_SOURCE_DIR}/dist/web/levels.js ${zx_site}
    COMMAND ${CMAKE_COMMAND} -E copy ${ZX_HOST_BUILD}/bin/data.zxp ${zx_site}/data.zxp
    COMMAND ${CMAKE_COMMAND} -E copy ${ZX_HOST_BUILD}/bin/IndieFlower-OFL.txt
        ${zx_licences}/IndieFlower-OFL.txt
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/web/index.html ${CMAKE_SOURCE_DIR}/dist/web/page.js
        ${CMAKE_SOURCE_DIR}/dist/web/replay.js ${CMAKE_SOURCE_DIR}/dist/web/levels.js
        ${ZX_HOST_BUILD}/bin/data.zxp ${ZX_HOST_BUILD}/bin/IndieFlower-OFL.txt
    VERBATIM)

set(zx_zip ${ZX_BIN_DIR}/zembrix-web.zip)
add_custom_command(OUTPUT ${zx_zip}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${zx_zip}
    COMMAND ${CMAKE_COMMAND} -E chdir ${zx_site} ${CMAKE_COMMAND} -E tar cf ${zx_zip}
        --format=zip .
    DEPENDS zembrix ${zx_page_files}
    COMMENT "Packing zembrix-web.zip"
    VERBATIM)
add_custom_target(web_zip ALL DEPENDS ${zx_zip})
