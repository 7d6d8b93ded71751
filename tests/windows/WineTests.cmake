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

# The zip for players and the resources of the program in it; no Wine needed.
add_test(NAME windows_zip COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/zip.sh
    ${ZX_BIN_DIR}/zembrix-windows-x64.zip ${ZX_HOST_BUILD}/bin/data.zxp)

add_test(NAME wine_prefix COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/prefix.sh)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)

# Each test: a script and its arguments.
function(zx_wine_test name)
    add_test(NAME wine_${name} COMMAND ${ARGN})
    set_tests_properties(wine_${name} PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE
        TIMEOUT 300)
endfunction()

# The text conversions with Windows' own code page functions.
add_executable(zx_codec_check ${CMAKE_SOURCE_DIR}/tests/windows/CodecCheck.cpp)
target_link_libraries(zx_codec_check PRIVATE zx_platform)
target_link_options(zx_codec_check PRIVATE -static-libgcc -static-libstdc++)
zx_wine_test(codec wine $<TARGET_FILE:zx_codec_check>)
# The device made while the game's window is not the active one.
add_executable(zx_device_window_check ${CMAKE_SOURCE_DIR}/tests/windows/DeviceWindowCheck.cpp)
target_link_libraries(zx_device_window_check PRIVATE zx_gfx)
target_link_options(zx_device_window_check PRIVATE -static-libgcc -static-libstdc++)
zx_wine_test(devicewindow ${CMAKE_SOURCE_DIR}/tests/windows/check.sh
    $<TARGET_FILE:zx_device_window_check>)
# The lost device, reset for real in the menu, the score table and the play field.
add_executable(zx_lost_device_check ${CMAKE_SOURCE_DIR}/tests/windows/LostDeviceCheck.cpp)
target_link_libraries(zx_lost_device_check PRIVATE zembrix_core)
target_link_options(zx_lost_device_check PRIVATE -static-libgcc -static-libstdc++)
zx_wine_test(lostdevice ${CMAKE_SOURCE_DIR}/tests/windows/check.sh
    $<TARGET_FILE:zx_lost_device_check> ${ZX_BIN_DIR}/data.zxp)
zx_wine_test(nod3dx ${CMAKE_SOURCE_DIR}/tests/windows/nod3dx.sh $<TARGET_FILE:zembrix>)
zx_wine_test(startup ${zx_e2e}/startup.sh $<TARGET_FILE:zembrix> ${zx_xclose}
    ${ZX_BIN_DIR}/data.zxp)
zx_wine_test(fullrun ${zx_e2e}/fullrun.sh $<TARGET_FILE:zembrix> ${zx_xclose}
    ${ZX_BIN_DIR}/data.zxp)
zx_wine_test(readonly ${zx_e2e}/readonly.sh $<TARGET_FILE:zembrix> ${zx_xclose}
    ${ZX_BIN_DIR}/data.zxp)
set_tests_properties(wine_readonly PROPERTIES SKIP_RETURN_CODE 77)
zx_wine_test(damaged ${CMAKE_SOURCE_DIR}/tests/windows/damaged.sh $<TARGET_FILE:zembrix>
    ${ZX_HOST_BUILD}/bin/zembrix ${zx_xclose} ${ZX_BIN_DIR}/data.zxp ${ZX_HOST_BUILD}/tools/zxpack)
zx_wine_test(frames ${CMAKE_SOURCE_DIR}/tests/windows/frames.sh $<TARGET_FILE:zembrix>
    ${ZX_HOST_BUILD}/bin/zembrix ${zx_xclose} ${ZX_BIN_DIR}/data.zxp)
# Five starts: the Linux build and the Windows program under three locales.
set_tests_properties(wine_frames PROPERTIES TIMEOUT 600)
zx_wine_test(dpi ${CMAKE_SOURCE_DIR}/tests/windows/dpi.sh $<TARGET_FILE:zembrix> ${zx_xclose}
    ${ZX_BIN_DIR}/data.zxp)
# SDL2.dll's game controllers and virtual joysticks, read by the game's pad translation, and
# Windows' own message boxes answered from a virtual pad.
add_executable(zx_pad_check ${CMAKE_SOURCE_DIR}/tests/windows/pads/PadCheck.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/VirtualPad.cpp)
# The tests' own virtual pad, from tests/support.
target_include_directories(zx_pad_check PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(zx_pad_check PRIVATE zx_platform)
target_link_options(zx_pad_check PRIVATE -static-libgcc -static-libstdc++)
# Beside the SDL2.dll the players get.
set_target_properties(zx_pad_check PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZX_BIN_DIR})
add_dependencies(zx_pad_check windows_zip)
zx_wine_test(pads ${CMAKE_SOURCE_DIR}/tests/windows/check.sh $<TARGET_FILE:zx_pad_check>)
# A recorded run through SDL2.dll's disk audio driver, muted by M and by the settings; four starts.
zx_wine_test(sound ${zx_e2e}/sound.sh $<TARGET_FILE:zembrix> ${zx_xclose} ${ZX_BIN_DIR}/data.zxp
    ${ZX_HOST_BUILD}/tools/zxsound)
set_tests_properties(wine_sound PROPERTIES TIMEOUT 600)
set_tests_properties(wine_prefix wine_startup wine_damaged wine_frames wine_dpi wine_pads
    wine_nod3dx wine_readonly wine_codec wine_devicewindow wine_lostdevice wine_sound PROPERTIES
    ENVIRONMENT "${zx_wine_env}")
# The whole run ends with the Linux build reading the table the Windows program wrote.
set_tests_properties(wine_fullrun PROPERTIES
    ENVIRONMENT "${zx_wine_env};ZX_LINUX_GAME=${ZX_HOST_BUILD}/bin/zembrix")
