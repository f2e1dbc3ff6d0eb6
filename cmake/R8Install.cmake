# cmake --install build --prefix PREFIX lays out:
#   PREFIX/lib/r8designer/R8designer.app/Contents/MacOS/  the programs, the
#       catalogue and the translations together, where start-up finds them
#   PREFIX/bin/r8designer, r8tool, r8sim                   links to those programs
#   PREFIX/share/applications/r8designer.desktop and the icon
#   PREFIX/share/mime/packages/r8designer.xml                the .zvl file type
include(GNUInstallDirs)
set(R8_INSTALL_BUNDLE ${CMAKE_INSTALL_LIBDIR}/r8designer/R8designer.app/Contents/MacOS)

set(_programs r8designer r8tool)
if(TARGET r8sim)
  list(APPEND _programs r8sim)
endif()
install(TARGETS ${_programs} RUNTIME DESTINATION ${R8_INSTALL_BUNDLE})
install(DIRECTORY ${R8_BUNDLE_DIR}/ DESTINATION ${R8_INSTALL_BUNDLE}
        FILES_MATCHING PATTERN "R8strings.sqlite" PATTERN "*.qm")
foreach(_p IN LISTS _programs)
  install(CODE "
    set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${_bin}\")
    file(RELATIVE_PATH _rel \"\${_bin}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${R8_INSTALL_BUNDLE}/${_p}\")
    execute_process(COMMAND \${CMAKE_COMMAND} -E create_symlink \"\${_rel}\" \"\${_bin}/${_p}\")
  ")
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/r8designer.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/r8designer-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME r8designer.xml)
install(FILES ${PROJECT_SOURCE_DIR}/resources/images/main_design_iconSQ.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps RENAME r8designer.png OPTIONAL)
