# WineTests.cmake: the Windows program's tests, run under Wine and Xvfb on the Linux machine that
# built it (ctest --test-dir build/windows). They share one Wine prefix in the build folder and
# run one at a time; the Linux build of the same source (ZX_HOST_BUILD) lends its helpers and is
# the other side of the comparisons.
enable_testing()
set(zx_wine_env
    WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix
    WINEDEBUG=-all
    # Without .NET and the HTML engine, which a fresh prefix would otherwise offer to install.
    "WINEDLLOVERRIDES=mscoree,mshtml=")
set(zx_e2e ${CMAKE_SOURCE_DIR}/tests/e2e)
set(zx_xclose ${ZX_HOST_BUILD}/tests/e2e/zx_xclose)
# The arguments every end-to-end script takes first: the game, the close helper and the pack.
set(zx_game_args $<TARGET_FILE:zembrix> ${zx_xclose} ${ZX_BIN_DIR}/data.zxp)

# The zip for players and the resources of the program in it; no Wine needed.
add_test(NAME windows_zip COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/zip.sh
    ${ZX_BIN_DIR}/zembrix-windows-x64.zip ${ZX_HOST_BUILD}/bin/data.zxp)

add_test(NAME wine_prefix COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/prefix.sh)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix
    ENVIRONMENT "${zx_wine_env}")

# Each test: a script and its arguments, run in the shared prefix.
function(zx_wine_test name)
    add_test(NAME wine_${name} COMMAND ${ARGN})
    set_tests_properties(wine_${name} PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE
        TIMEOUT 300 ENVIRONMENT "${zx_wine_env}")
endfunction()

# A check program of the Windows build (tests/windows/SOURCE), linked with the libraries after
# it and with GCC's own runtime, which Wine does not have.
function(zx_wine_check target source)
    add_executable(${target} ${CMAKE_SOURCE_DIR}/tests/windows/${source})
    target_link_libraries(${target} PRIVATE ${ARGN})
    target_link_options(${target} PRIVATE -static-libgcc -static-libstdc++)
endfunction()

# The text conversions with Windows' own code page functions.
zx_wine_check(zx_codec_check CodecCheck.cpp zx_platform)
zx_wine_test(codec wine $<TARGET_FILE:zx_codec_check>)
# The device made while the game's window is not the active one.
zx_wine_check(zx_device_window_check DeviceWindowCheck.cpp zx_gfx)
zx_wine_test(devicewindow ${CMAKE_SOURCE_DIR}/tests/windows/check.sh
    $<TARGET_FILE:zx_device_window_check>)
# The lost device, reset for real in the menu, the score table and the play field.
zx_wine_check(zx_lost_device_check LostDeviceCheck.cpp zembrix_core)
zx_wine_test(lostdevice ${CMAKE_SOURCE_DIR}/tests/windows/check.sh
    $<TARGET_FILE:zx_lost_device_check> ${ZX_BIN_DIR}/data.zxp)
zx_wine_test(nod3dx ${CMAKE_SOURCE_DIR}/tests/windows/nod3dx.sh $<TARGET_FILE:zembrix>)
zx_wine_test(startup ${zx_e2e}/startup.sh ${zx_game_args})
zx_wine_test(fullrun ${zx_e2e}/fullrun.sh ${zx_game_args})
zx_wine_test(readonly ${zx_e2e}/readonly.sh ${zx_game_args})
set_tests_properties(wine_readonly PROPERTIES SKIP_RETURN_CODE 77)
zx_wine_test(damaged ${CMAKE_SOURCE_DIR}/tests/windows/damaged.sh $<TARGET_FILE:zembrix>
    ${ZX_HOST_BUILD}/bin/zembrix ${zx_xclose} ${ZX_BIN_DIR}/data.zxp ${ZX_HOST_BUILD}/tools/zxpack)
zx_wine_test(frames ${CMAKE_SOURCE_DIR}/tests/windows/frames.sh $<TARGET_FILE:zembrix>
    ${ZX_HOST_BUILD}/bin/zembrix ${zx_xclose} ${ZX_BIN_DIR}/data.zxp)
# Five starts: the Linux build and the Windows program under three locales.
set_tests_properties(wine_frames PROPERTIES TIMEOUT 600)
zx_wine_test(dpi ${CMAKE_SOURCE_DIR}/tests/windows/dpi.sh ${zx_game_args})
# SDL2.dll's game controllers and virtual joysticks, read by the game's pad translation, and
# Windows' own message boxes answered from a virtual pad.
zx_wine_check(zx_pad_check pads/PadCheck.cpp zx_platform)
# The tests' own virtual pad, from tests/support.
target_sources(zx_pad_check PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/VirtualPad.cpp)
target_include_directories(zx_pad_check PRIVATE ${CMAKE_SOURCE_DIR})
# Beside the SDL2.dll the players get.
set_target_properties(zx_pad_check PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZX_BIN_DIR})
add_dependencies(zx_pad_check windows_zip)
zx_wine_test(pads ${CMAKE_SOURCE_DIR}/tests/windows/check.sh $<TARGET_FILE:zx_pad_check>)
# A recorded run through SDL2.dll's disk audio driver, muted by M and by the settings; four starts.
zx_wine_test(sound ${zx_e2e}/sound.sh ${zx_game_args} ${ZX_HOST_BUILD}/tools/zxsound)
set_tests_properties(wine_sound PROPERTIES TIMEOUT 600)
# The runs the Linux build recorded, verified by the Windows program to the same points.
zx_wine_test(replays ${CMAKE_SOURCE_DIR}/tests/recorded/verify.sh $<TARGET_FILE:zembrix>)
# A player's level set in %LOCALAPPDATA%\zembrix\levels, played by the program started elsewhere.
zx_wine_test(levels ${CMAKE_SOURCE_DIR}/tests/windows/levels.sh $<TARGET_FILE:zembrix>
    ${CMAKE_SOURCE_DIR}/tests/recorded)
set_tests_properties(wine_replays PROPERTIES WORKING_DIRECTORY ${ZX_BIN_DIR})
# The whole run ends with the Linux build reading the table the Windows program wrote.
set_tests_properties(wine_fullrun PROPERTIES
    ENVIRONMENT "${zx_wine_env};ZX_LINUX_GAME=${ZX_HOST_BUILD}/bin/zembrix")
