# Installing the game: `cmake --install <build> [--prefix DIR]` (DESTDIR works too).
#
#   <libdir>/quorbels/quorbels      the program, beside its data/ folder (it finds
#   <libdir>/quorbels/data/         its data next to itself, as it always has)
#   <bindir>/quorbels               launcher on the PATH
#   <datadir>/applications/         desktop entry
#   <datadir>/icons/hicolor/        icons at 48, 128 and 256 pixels (drawn by the data generator)
#   <datadir>/metainfo/             AppStream description for software centres
#   <mandir>/man6/quorbels.6        manual page
#
# The launcher finds the program relative to itself, so a tree installed under
# one prefix and moved (or staged with DESTDIR) still starts.
include(GNUInstallDirs)

set(QUORBELS_APP_ID io.github.quorbels.Quorbels)
set(QUORBELS_GAME_DIR ${CMAKE_INSTALL_LIBDIR}/quorbels)
# The README's pictures as software centres fetch them.
string(REPLACE "https://github.com/" "https://raw.githubusercontent.com/" QUORBELS_SCREENSHOTS
               "${QUORBELS_HOMEPAGE}/main/docs")

install(TARGETS quorbels RUNTIME DESTINATION ${QUORBELS_GAME_DIR})
install(
  DIRECTORY ${CMAKE_BINARY_DIR}/data
  DESTINATION ${QUORBELS_GAME_DIR}
  PATTERN icons EXCLUDE
  PATTERN .generated EXCLUDE
  PATTERN "*.tmp" EXCLUDE)

file(RELATIVE_PATH QUORBELS_LAUNCH_TARGET /${CMAKE_INSTALL_BINDIR} /${QUORBELS_GAME_DIR}/quorbels)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorbels-launcher.in ${CMAKE_BINARY_DIR}/install/quorbels @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/install/quorbels DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/quorbels.desktop.in ${CMAKE_BINARY_DIR}/install/${QUORBELS_APP_ID}.desktop
               @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/${QUORBELS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

foreach(size 48 128 256)
  install(
    FILES ${CMAKE_BINARY_DIR}/data/icons/quorbels-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${QUORBELS_APP_ID}.png)
endforeach()

configure_file(${CMAKE_CURRENT_LIST_DIR}/quorbels.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/install/${QUORBELS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/${QUORBELS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

configure_file(${CMAKE_CURRENT_LIST_DIR}/quorbels.6.in ${CMAKE_BINARY_DIR}/install/quorbels.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/quorbels.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
