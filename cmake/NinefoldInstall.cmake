# Installation layout (cmake --install build --prefix <prefix>):
#   bin/                                  the program and the command-line tool
#   lib/                                  the shared libraries
#   share/ninefold-sudoku/                resource files, PreDefs/, ExampleGames/, doku/
#   share/applications, share/mime, share/icons   desktop entry, game-file type, icon
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
