# Installing Zembrix as Linux players install their games (the executable, the data pack, a
# desktop entry, icons, AppStream metainfo, a man page, the documents) and packing it as a Debian
# package with CPack: `cmake --build --preset release --target package`.
include(GNUInstallDirs)

# Debian keeps games in /usr/games and their data in /usr/share/games/<game>.
set(ZX_INSTALL_GAMESDIR games CACHE STRING "Folder of the executable, under the prefix")
set(ZX_INSTALL_GAMEDATADIR ${CMAKE_INSTALL_DATADIR}/games/zembrix CACHE STRING
    "Folder of data.zxp and the font's licence, under the prefix")
set(ZX_APP_ID io.github.zembrix.zembrix)
set(ZX_MAINTAINER "Zembrix developers <zembrix@example.org>" CACHE STRING
    "Maintainer of the Debian package")
set(ZX_HOMEPAGE "https://zembrix.example.org" CACHE STRING
    "Home page, named by the package and the metainfo, which also take the screenshot from it")

# The executable looks for the installed pack relative to its own folder first, so that any
# prefix and an unpacked package find their data, then at the folder this build installs to.
cmake_path(ABSOLUTE_PATH ZX_INSTALL_GAMESDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
    OUTPUT_VARIABLE zx_games_dir)
cmake_path(ABSOLUTE_PATH ZX_INSTALL_GAMEDATADIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
    OUTPUT_VARIABLE zx_data_dir)
file(RELATIVE_PATH zx_data_from_games ${zx_games_dir} ${zx_data_dir})
target_compile_definitions(zembrix PRIVATE ZX_VERSION="${PROJECT_VERSION}"
    ZX_DATA_FROM_EXECUTABLE="${zx_data_from_games}" ZX_INSTALLED_DATA="${zx_data_dir}")

# Files made for the installation: the desktop icons drawn by the art tool, the metainfo with
# the version, the man page and the changelog compressed as Debian wants them, and the copyright
# file with the font's licence.
set(zx_dist_src ${CMAKE_SOURCE_DIR}/dist)
set(zx_dist_out ${CMAKE_BINARY_DIR}/dist)
set(zx_icon_sizes 48 64 128 256)
set(zx_icons)
foreach(size IN LISTS zx_icon_sizes)
    list(APPEND zx_icons ${zx_dist_out}/icons/zembrix-${size}.png)
endforeach()
add_custom_command(OUTPUT ${zx_icons}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zx_dist_out}/icons
    COMMAND zxart --icons ${zx_dist_out}/icons
    DEPENDS zxart
    COMMENT "Drawing the desktop icons"
    VERBATIM)
configure_file(${zx_dist_src}/zembrix.metainfo.xml.in ${zx_dist_out}/${ZX_APP_ID}.metainfo.xml
    @ONLY)
configure_file(${zx_dist_src}/zembrix.desktop.in ${zx_dist_out}/${ZX_APP_ID}.desktop @ONLY)
# The level editor's own entry: the same game started with --edit.
configure_file(${zx_dist_src}/zembrix-editor.desktop.in ${zx_dist_out}/${ZX_APP_ID}.editor.desktop
    @ONLY)
# The man page in English, and in each language of its own (zembrix.<code>.6).
foreach(name zembrix.6 zembrix.pl.6 zembrix.de.6 changelog)
    add_custom_command(OUTPUT ${zx_dist_out}/${name}.gz
        COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh ${zx_dist_src}/${name}
            ${zx_dist_out}/${name}.gz
        DEPENDS ${zx_dist_src}/${name}
        VERBATIM)
endforeach()
add_custom_command(OUTPUT ${zx_dist_out}/copyright
    COMMAND sh ${zx_dist_src}/copyright.sh ${zx_dist_src}/copyright.in
        ${ZX_BIN_DIR}/IndieFlower-OFL.txt ${zx_dist_out}/copyright
    DEPENDS ${zx_dist_src}/copyright.sh ${zx_dist_src}/copyright.in
        ${ZX_BIN_DIR}/IndieFlower-OFL.txt
    VERBATIM)
add_custom_target(dist ALL DEPENDS ${zx_icons} ${zx_dist_out}/zembrix.6.gz
    ${zx_dist_out}/zembrix.pl.6.gz ${zx_dist_out}/zembrix.de.6.gz
    ${zx_dist_out}/changelog.gz ${zx_dist_out}/copyright)
add_dependencies(dist content)

install(TARGETS zembrix RUNTIME DESTINATION ${ZX_INSTALL_GAMESDIR})
install(FILES ${ZX_BIN_DIR}/data.zxp ${ZX_BIN_DIR}/IndieFlower-OFL.txt
    DESTINATION ${ZX_INSTALL_GAMEDATADIR})
install(FILES ${zx_dist_out}/${ZX_APP_ID}.desktop ${zx_dist_out}/${ZX_APP_ID}.editor.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The level-set files' type, so that a file manager opens them with the game.
install(FILES ${zx_dist_src}/zembrix-levels.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME ${ZX_APP_ID}.xml)
foreach(size IN LISTS zx_icon_sizes)
    install(FILES ${zx_dist_out}/icons/zembrix-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME zembrix.png)
endforeach()
install(FILES ${zx_dist_out}/${ZX_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${zx_dist_out}/zembrix.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# Where Debian puts a page's translations: man/<language>/man6/.
foreach(language pl de)
    install(FILES ${zx_dist_out}/zembrix.${language}.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/${language}/man6 RENAME zembrix.6.gz)
endforeach()
install(FILES ${zx_dist_out}/copyright ${zx_dist_out}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: zembrix_<version>_amd64.deb, its library dependencies found by
# dpkg-shlibdeps, the faces the game asks fontconfig for, the executable stripped.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zembrix)
set(CPACK_PACKAGE_VENDOR "Zembrix developers")
set(CPACK_PACKAGE_CONTACT ${ZX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "breakout-style arcade game")
set(CPACK_PACKAGE_DESCRIPTION [[
Steer the bat along the bottom of the field, keep the ball in play and
break every stone of six levels. Stones give 10, 50 or 100 points by
their colour; each level starts with three lives, and clearing a level
adds a bonus for every life left. The best ten runs are kept in a score
table under the names their players type.

The game's texts are in Polish.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libfontconfig1 is opened at run time, where the package tools do not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libfontconfig1, fonts-liberation2, fonts-crosextra-carlito, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
