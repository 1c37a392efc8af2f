# The installed layout, for `cmake --install` and the Debian package:
#
#   PREFIX/lib/ondrix/      the program folder: ondrix, ondrix-cli, ADDINMGR.so, ABOUTDLL.so, the
#                           help files, NEWS.html and OndrixScript.txt (the program finds them beside
#                           itself, through /proc/self/exe)
#   PREFIX/bin/             links to ondrix and ondrix-cli in the program folder
#   PREFIX/share/man/man1/  ondrix.1.gz, ondrix-cli.1.gz
#   PREFIX/share/applications/ondrix.desktop, share/icons/hicolor/*/apps/ondrix.png,
#   PREFIX/share/mime/packages/ondrix.xml (script files, .oxs)
#
# The program folder is not writable for users, so an installed program keeps its data in the
# user's own folder (see platform::dataFolder).

# The fuzz build has neither the programs nor their files.
if(ONDRIX_FUZZ)
  return()
endif()

set(ONDRIX_PROGRAM_DIR lib/ondrix)

foreach(program ondrix ondrix-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${ONDRIX_PROGRAM_DIR})
    # A relative link, so that the tree can be moved (DESTDIR, a package).
    install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
      file(CREATE_LINK ../${ONDRIX_PROGRAM_DIR}/${program} \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\" SYMBOLIC)")
  endif()
endforeach()
foreach(library ADDINMGR ABOUTDLL)
  if(TARGET ${library})
    install(TARGETS ${library} LIBRARY DESTINATION ${ONDRIX_PROGRAM_DIR})
  endif()
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/bin/OXPRO.md ${PROJECT_BINARY_DIR}/bin/OXPSCRIPT.md ${PROJECT_BINARY_DIR}/bin/NEWS.html
              ${ONDRIX_SCRIPT_LANGUAGE_FILE}
        DESTINATION ${ONDRIX_PROGRAM_DIR})

# Manual pages, compressed as the manual reader expects them (gzip -n: the same bytes every build).
set(man_pages ondrix-cli)
if(TARGET ondrix)
  list(APPEND man_pages ondrix)
endif()
foreach(page IN LISTS man_pages)
  set(compressed ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
                     COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/docs/man/${page}.1 > ${compressed}
                     DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}.1
                     COMMENT "Compressing ${page}.1")
  list(APPEND compressed_pages ${compressed})
endforeach()
add_custom_target(ondrix_man_pages ALL DEPENDS ${compressed_pages})
install(FILES ${compressed_pages} DESTINATION share/man/man1)

# The desktop: the application menu entry, a hidden entry that opens script files with "ondrix -s",
# the script file type and the icon in the hicolor sizes (drawn by packaging/make_icons.sh).
if(TARGET ondrix)
  set(packaging ${PROJECT_SOURCE_DIR}/packaging)
  install(FILES ${packaging}/ondrix.desktop ${packaging}/ondrix-script.desktop DESTINATION share/applications)
  install(FILES ${packaging}/ondrix-mime.xml DESTINATION share/mime/packages RENAME ondrix.xml)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${packaging}/icons/${size}/ondrix.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/OndrixPackage.cmake)
