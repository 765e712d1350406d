# Installing the game. Two layouts of the same files:
#
# `cmake --install <build> [--prefix DIR]` (DESTDIR works too):
#   <libdir>/quorbels/quorbels      the program, beside its data/ folder (it finds
#   <libdir>/quorbels/data/         its data next to itself, as it always has)
#   <bindir>/quorbels               launcher on the PATH
#   <datadir>/applications/         desktop entry
#   <datadir>/icons/hicolor/        icons at 48, 128 and 256 pixels (drawn by the data generator)
#   <datadir>/metainfo/             AppStream description for software centres
#   <mandir>/man6/quorbels.6        manual page
# The launcher finds the program relative to itself, so a tree installed under
# one prefix and moved (or staged with DESTDIR) still starts.
#
# The Debian package's tree, `cmake --install <build> --prefix /usr --component
# debian` (scripts/package stages it, then strips, compresses and builds the .deb):
#   /usr/lib/games/quorbels/quorbels      the program
#   /usr/lib/games/quorbels/data          -> ../../../share/games/quorbels/data
#   /usr/share/games/quorbels/data/       the data, architecture-independent
#   /usr/games/quorbels                   -> ../lib/games/quorbels/quorbels
#   /usr/share/doc/quorbels/              copyright (machine-readable), changelog.Debian
#   desktop entry, icons, metainfo and manual page as above
include(GNUInstallDirs)

# Who answers for the Debian package and the upstream contact in its copyright file.
set(QUORBELS_MAINTAINER "The Quorbels team <quorbels@users.noreply.github.com>")
# The README's pictures as software centres fetch them.
string(REPLACE "https://github.com/" "https://raw.githubusercontent.com/" QUORBELS_SCREENSHOTS
               "${QUORBELS_HOMEPAGE}/main/docs")
# The licence stanza of the font the game's lettering is drawn from, added to the
# package's copyright file. A change of font swaps this one file.
set(QUORBELS_FONT_COPYRIGHT_FILE ${CMAKE_SOURCE_DIR}/packaging/debian/copyright-font)

set(staged ${CMAKE_BINARY_DIR}/install)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorbels.desktop.in ${staged}/${QUORBELS_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorbels.metainfo.xml.in ${staged}/${QUORBELS_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorbels.6.in ${staged}/quorbels.6 @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUORBELS_FONT_COPYRIGHT_FILE})
file(READ ${QUORBELS_FONT_COPYRIGHT_FILE} font_copyright)
string(CONFIGURE "${font_copyright}" QUORBELS_FONT_COPYRIGHT @ONLY)
string(STRIP "${QUORBELS_FONT_COPYRIGHT}" QUORBELS_FONT_COPYRIGHT)
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/copyright.in ${staged}/debian/copyright @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/control.in ${staged}/debian/control @ONLY)

# A relative symbolic link `name` in the staging folder `dir`, pointing from the
# installed folder `from` (relative to the prefix) to the installed path `to`.
function(quorbels_staged_link dir name from to)
  file(RELATIVE_PATH target /${from} /${to})
  file(MAKE_DIRECTORY ${dir})
  file(CREATE_LINK ${target} ${dir}/${name} SYMBOLIC)
endfunction()

# Installs the whole game for one layout into `component`:
#   GAME_DIR  the program's folder; its data/ folder is beside it
#   DATA_DIR  the folder that receives data/ (GAME_DIR, or a folder GAME_DIR/data links to)
#   BIN_DIR   the command's folder
#   LAUNCHER  SCRIPT (a shell launcher that works wherever the tree is moved) or LINK
#   EXCLUDE_FROM_ALL  installed only when the component is asked for
function(quorbels_install_layout component)
  cmake_parse_arguments(L "EXCLUDE_FROM_ALL" "GAME_DIR;DATA_DIR;BIN_DIR;LAUNCHER" "" ${ARGN})
  set(to COMPONENT ${component})
  if(L_EXCLUDE_FROM_ALL)
    list(APPEND to EXCLUDE_FROM_ALL)
  endif()
  set(links ${staged}/${component}-links)

  install(TARGETS quorbels RUNTIME DESTINATION ${L_GAME_DIR} ${to})
  install(
    DIRECTORY ${CMAKE_BINARY_DIR}/data
    DESTINATION ${L_DATA_DIR}
    ${to}
    PATTERN icons EXCLUDE
    PATTERN .generated EXCLUDE
    PATTERN "*.tmp" EXCLUDE)
  if(NOT L_DATA_DIR STREQUAL L_GAME_DIR)
    quorbels_staged_link(${links}/game data ${L_GAME_DIR} ${L_DATA_DIR}/data)
    install(FILES ${links}/game/data DESTINATION ${L_GAME_DIR} ${to})
  endif()

  if(L_LAUNCHER STREQUAL "SCRIPT")
    file(RELATIVE_PATH QUORBELS_LAUNCH_TARGET /${L_BIN_DIR} /${L_GAME_DIR}/quorbels)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/quorbels-launcher.in ${staged}/quorbels @ONLY)
    install(PROGRAMS ${staged}/quorbels DESTINATION ${L_BIN_DIR} ${to})
  else()
    quorbels_staged_link(${links}/bin quorbels ${L_BIN_DIR} ${L_GAME_DIR}/quorbels)
    install(FILES ${links}/bin/quorbels DESTINATION ${L_BIN_DIR} ${to})
  endif()

  install(FILES ${staged}/${QUORBELS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications ${to})
  foreach(size 48 128 256)
    install(
      FILES ${CMAKE_BINARY_DIR}/data/icons/quorbels-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME ${QUORBELS_APP_ID}.png
      ${to})
  endforeach()
  install(FILES ${staged}/${QUORBELS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo ${to})
  install(FILES ${staged}/quorbels.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 ${to})
endfunction()

quorbels_install_layout(Unspecified GAME_DIR ${CMAKE_INSTALL_LIBDIR}/quorbels DATA_DIR ${CMAKE_INSTALL_LIBDIR}/quorbels
                        BIN_DIR ${CMAKE_INSTALL_BINDIR} LAUNCHER SCRIPT)

quorbels_install_layout(
  debian EXCLUDE_FROM_ALL
  GAME_DIR lib/games/quorbels
  DATA_DIR share/games/quorbels
  BIN_DIR games
  LAUNCHER LINK)
set(doc ${CMAKE_INSTALL_DATADIR}/doc/quorbels)
install(FILES ${staged}/debian/copyright DESTINATION ${doc} COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/changelog DESTINATION ${doc} RENAME changelog.Debian COMPONENT debian
        EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/quorbels.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME quorbels COMPONENT debian EXCLUDE_FROM_ALL)
