# Installation layout (cmake --install build --prefix <prefix>):
#   bin/                                  the program and the command-line tool
#   lib/                                  the shared libraries
#   share/ninefold-sudoku/                resource files, PreDefs/, ExampleGames/, doku/
#   share/applications, share/mime, share/icons   desktop entry, game-file type, icon
#   share/metainfo, share/man/man6        AppStream metadata, manual pages
# cpack -G DEB (in the build folder) packages the same layout under /usr.
# The program finds its resource files and installation data in ../share/ninefold-sudoku.
include(GNUInstallDirs)

set(NINEFOLD_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/ninefold-sudoku)
set(NINEFOLD_LIBS kelp_vxtl kelp_sdk kelp_velox kelp_richtext kelp_stddlg kelp_booklet)
set(NINEFOLD_PROGRAMS NinefoldSudoku ninefold-sudoku-cli)

foreach(lib IN LISTS NINEFOLD_LIBS)
  if(TARGET ${lib})
    set_target_properties(${lib} PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${lib} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  endif()
endforeach()
file(RELATIVE_PATH NINEFOLD_BIN_TO_LIB /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
foreach(program IN LISTS NINEFOLD_PROGRAMS)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${NINEFOLD_BIN_TO_LIB}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET NinefoldSudoku)
  install(FILES ${CMAKE_BINARY_DIR}/bin/NinefoldSudoku.vxt ${CMAKE_BINARY_DIR}/bin/stddlg.vxt
          DESTINATION ${NINEFOLD_SHARE_DIR})
  foreach(dir PreDefs ExampleGames doku)
    if(EXISTS ${PROJECT_SOURCE_DIR}/data/${dir})
      install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/${dir} DESTINATION ${NINEFOLD_SHARE_DIR})
    endif()
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/ninefold-sudoku.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/ninefold-sudoku.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/ninefold-sudoku.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# AppStream metadata. Its screenshots need web addresses, so they are listed only once the
# project publishes its screenshots somewhere: -DNINEFOLD_SCREENSHOT_URL=https://…/ (the folder
# holding the images of data/doku/images).
set(NINEFOLD_SCREENSHOT_URL "" CACHE STRING "Web folder of the manual's screenshots, for AppStream")
set(NINEFOLD_METAINFO_SCREENSHOTS "")
if(NINEFOLD_SCREENSHOT_URL)
  string(CONCAT NINEFOLD_METAINFO_SCREENSHOTS
    "  <screenshots>\n"
    "    <screenshot type=\"default\">\n"
    "      <caption>A riddle in play</caption>\n"
    "      <image>${NINEFOLD_SCREENSHOT_URL}main_midgame_en.png</image>\n"
    "    </screenshot>\n"
    "    <screenshot>\n"
    "      <caption>Computing a new riddle</caption>\n"
    "      <image>${NINEFOLD_SCREENSHOT_URL}sudoku_game_create_type_en.png</image>\n"
    "    </screenshot>\n"
    "  </screenshots>")
endif()
configure_file(${PROJECT_SOURCE_DIR}/data/desktop/ninefold-sudoku.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/org.ninefoldsudoku.NinefoldSudoku.metainfo.xml @ONLY)

if(TARGET NinefoldSudoku)
  install(FILES ${CMAKE_BINARY_DIR}/org.ninefoldsudoku.NinefoldSudoku.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/data/man/NinefoldSudoku.6
                ${PROJECT_SOURCE_DIR}/data/man/ninefold-sudoku-cli.6
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  add_test(NAME PackageMetadata
           COMMAND ${PROJECT_SOURCE_DIR}/data/tests/metadata_test.sh ${PROJECT_SOURCE_DIR}
                   ${CMAKE_BINARY_DIR})
  set_tests_properties(PackageMetadata PROPERTIES LABELS "gui" TIMEOUT 60)
endif()

# Debian package: cpack -G DEB. Dependencies come from the binaries (dpkg-shlibdeps); the
# project's own libraries are found beside them.
set(CPACK_PACKAGE_NAME ninefold-sudoku)
set(CPACK_PACKAGE_VENDOR "The Ninefold Sudoku developers")
set(CPACK_PACKAGE_CONTACT "The Ninefold Sudoku developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku game: play, compute and solve riddles")
set(CPACK_PACKAGE_DESCRIPTION
    "A sudoku game for one person: computed riddles to a chosen difficulty, a stock of \
predefined riddles, riddles typed in by hand, own candidate marks, proposals, undo and redo, \
the computed solution played back, saving, loading and printing, in German or English.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
# The board asks for Arial; Liberation Sans has its metrics. xdg-utils opens the manual.
# Qt's platform plugins (the window system) are a package of their own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
