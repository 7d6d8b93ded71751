# WindowsProgram.cmake: the Windows program's resources, its folder (zembrix.exe, SDL2.dll,
# data.zxp, the font's licence, a readme) and the zip for players, in the build folder itself.
# The pack and the icon come from the Linux build of the same sources (ZX_HOST_BUILD), whose
# tools made them.
set(ZX_HOST_BUILD "" CACHE PATH "A Linux build of this source whose tools and pack are used")
if(NOT EXISTS ${ZX_HOST_BUILD}/bin/data.zxp OR NOT EXISTS ${ZX_HOST_BUILD}/tools/zxart)
    message(FATAL_ERROR "ZX_HOST_BUILD must name a Linux build with bin/data.zxp and "
        "tools/zxart (scripts/windows.sh makes one)")
endif()

set(zx_resources ${CMAKE_BINARY_DIR}/resources)
configure_file(${CMAKE_SOURCE_DIR}/resources/Version.h.in ${zx_resources}/Version.h @ONLY)
add_custom_command(OUTPUT ${zx_resources}/zembrix.ico
    COMMAND ${ZX_HOST_BUILD}/tools/zxart --ico ${zx_resources}/zembrix.ico
    DEPENDS ${ZX_HOST_BUILD}/tools/zxart
    COMMENT "Drawing the program's icon"
    VERBATIM)
add_custom_target(windows_icon DEPENDS ${zx_resources}/zembrix.ico)
add_dependencies(zembrix windows_icon)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/zembrix.rc
    DIRECTORY ${CMAKE_SOURCE_DIR}/app
    PROPERTIES OBJECT_DEPENDS "${zx_resources}/zembrix.ico;${CMAKE_SOURCE_DIR}/resources/zembrix.manifest")
target_include_directories(zembrix PRIVATE ${CMAKE_SOURCE_DIR}/resources ${zx_resources})
target_link_options(zembrix PRIVATE $<$<CONFIG:Release>:-s>)

# What a player gets, beside zembrix.exe: the readme in English, Polish and German.
set(zx_files
    ${ZX_BIN_DIR}/SDL2.dll
    ${ZX_BIN_DIR}/data.zxp
    ${ZX_BIN_DIR}/IndieFlower-OFL.txt
    ${ZX_BIN_DIR}/README.txt
    ${ZX_BIN_DIR}/README-pl.txt
    ${ZX_BIN_DIR}/README-de.txt)
add_custom_command(OUTPUT ${zx_files}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:SDL2::SDL2> ${ZX_BIN_DIR}/SDL2.dll
    COMMAND ${CMAKE_COMMAND} -E copy ${ZX_HOST_BUILD}/bin/data.zxp ${ZX_BIN_DIR}/data.zxp
    COMMAND ${CMAKE_COMMAND} -E copy ${ZX_HOST_BUILD}/bin/IndieFlower-OFL.txt
        ${ZX_BIN_DIR}/IndieFlower-OFL.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/windows-readme.txt
        ${ZX_BIN_DIR}/README.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/windows-readme.pl.txt
        ${ZX_BIN_DIR}/README-pl.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/windows-readme.de.txt
        ${ZX_BIN_DIR}/README-de.txt
    DEPENDS $<TARGET_FILE:SDL2::SDL2> ${ZX_HOST_BUILD}/bin/data.zxp
        ${ZX_HOST_BUILD}/bin/IndieFlower-OFL.txt ${CMAKE_SOURCE_DIR}/dist/windows-readme.txt
        ${CMAKE_SOURCE_DIR}/dist/windows-readme.pl.txt ${CMAKE_SOURCE_DIR}/dist/windows-readme.de.txt
    VERBATIM)

# The zip holds one folder, Zembrix/, with the program and its files.
set(zx_zip ${ZX_BIN_DIR}/zembrix-windows-x64.zip)
set(zx_stage ${CMAKE_BINARY_DIR}/zip-stage)
add_custom_command(OUTPUT ${zx_zip}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${zx_stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zx_stage}/Zembrix
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zembrix> ${zx_files} ${zx_stage}/Zembrix
    COMMAND ${CMAKE_COMMAND} -E rm -f ${zx_zip}
    COMMAND ${CMAKE_COMMAND} -E chdir ${zx_stage} ${CMAKE_COMMAND} -E tar cf ${zx_zip}
        --format=zip Zembrix
    DEPENDS zembrix ${zx_files}
    COMMENT "Packing zembrix-windows-x64.zip"
    VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${zx_zip})

include(${CMAKE_SOURCE_DIR}/tests/windows/WineTests.cmake)
