# What `cmake --install` puts below CMAKE_INSTALL_PREFIX, and nothing outside it: the two
# programs, the applications-menu entry with the program icon, the manual pages, the bash
# completion and the documentation. The programs carry their resources inside them, so an
# installed tree needs nothing from the source or build folders.
include(GNUInstallDirs)

set(KINLOOM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/kinloom)
set(KINLOOM_STAGED ${CMAKE_BINARY_DIR}/installed)

# Debian keeps manual pages and changelogs compressed with gzip -9n (no name, no time stamp,
# so that the bytes do not depend on when they were made).
function(kinloom_gzip source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND sh -c "gzip -9n -c \"$0\" >\"$1\"" ${source} ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()

set(KINLOOM_MAN_PAGES kinloom.1)
if(KINLOOM_GUI)
  list(APPEND KINLOOM_MAN_PAGES kinloom-gui.1)
endif()
set(KINLOOM_COMPRESSED)
foreach(page ${KINLOOM_MAN_PAGES})
  kinloom_gzip(${CMAKE_SOURCE_DIR}/docs/man/${page} ${KINLOOM_STAGED}/${page}.gz)
  list(APPEND KINLOOM_COMPRESSED ${KINLOOM_STAGED}/${page}.gz)
endforeach()

# The changelog of the package names the version being built; its date is the build's, or
# SOURCE_DATE_EPOCH's when that is set, as reproducible builds set it.
string(TIMESTAMP KINLOOM_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog.in ${KINLOOM_STAGED}/changelog @ONLY)
kinloom_gzip(${KINLOOM_STAGED}/changelog ${KINLOOM_STAGED}/changelog.gz)
list(APPEND KINLOOM_COMPRESSED ${KINLOOM_STAGED}/changelog.gz)
add_custom_target(kinloom_compressed_docs ALL DEPENDS ${KINLOOM_COMPRESSED})

install(TARGETS kinloom RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KINLOOM_STAGED}/kinloom.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/completion/kinloom
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/cmake/debian/copyright
              ${KINLOOM_STAGED}/changelog.gz
        DESTINATION ${KINLOOM_DOC_DIR})
# The README's pictures, where its links look for them.
file(GLOB KINLOOM_DOC_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.png)
install(FILES ${KINLOOM_DOC_PICTURES} DESTINATION ${KINLOOM_DOC_DIR}/docs)

if(KINLOOM_GUI)
  install(TARGETS kinloom-gui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${KINLOOM_STAGED}/kinloom-gui.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/kinloom-48.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME kinloom.png)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/kinloom.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  # The menu entry names the installed program, so it is written when the prefix is known:
  # at install time, where `--prefix` or a package's DESTDIR have been applied.
  add_executable(desktop-entry tools/desktop_entry.cpp)
  target_link_libraries(desktop-entry PRIVATE kinloom_core)
  install(CODE "
    get_filename_component(prefix \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
    set(entry \"${KINLOOM_STAGED}/kinloom.desktop\")
    execute_process(
      COMMAND \"$<TARGET_FILE:desktop-entry>\" \"\${prefix}/${CMAKE_INSTALL_BINDIR}/kinloom-gui\" kinloom
      OUTPUT_FILE \"\${entry}\" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR \"desktop-entry failed: \${status}\")
    endif()
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
         TYPE FILE FILES \"\${entry}\")
  ")
endif()
