# Install rules and the Debian package, for every system but Windows (whose
# packages are in packaging-windows.cmake). The programs and the user guide
# install everywhere; the desktop entry, icons, MIME type and man pages
# belong to the Linux desktop and are installed only there.
include(GNUInstallDirs)

set(_pkg ${PROJECT_SOURCE_DIR}/packaging/linux)

install(TARGETS linvara-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET linvara)
  install(TARGETS linvara RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

include(${CMAKE_CURRENT_LIST_DIR}/user-guide.cmake)

if(UNIX AND NOT APPLE)
  set(_share ${CMAKE_INSTALL_DATAROOTDIR})
  set(_man_pages linvara-cli.1)
endif()
# The desktop program's entry, file type and icon.
if(UNIX AND NOT APPLE AND TARGET linvara)
  list(APPEND _man_pages linvara.1)
  install(FILES ${_pkg}/linvara.desktop DESTINATION ${_share}/applications)
  install(FILES ${_pkg}/linvara-mime.xml DESTINATION ${_share}/mime/packages RENAME linvara.xml)

  # The application icon: the SVG itself, and PNGs rendered from it for
  # menus and file managers that want a bitmap of their size.
  set(_icon_svg ${PROJECT_SOURCE_DIR}/src/gui/resources/icons/app.svg)
  install(FILES ${_icon_svg} DESTINATION ${_share}/icons/hicolor/scalable/apps RENAME linvara.svg)
  find_program(LINVARA_RSVG_CONVERT rsvg-convert)
  if(LINVARA_RSVG_CONVERT)
    set(_icons)
    foreach(_size 16 24 32 48 64 128 256)
      set(_png ${CMAKE_BINARY_DIR}/icons/${_size}x${_size}/linvara.png)
      add_custom_command(OUTPUT ${_png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${_size}x${_size}
        COMMAND ${LINVARA_RSVG_CONVERT} -w ${_size} -h ${_size} -o ${_png} ${_icon_svg}
        DEPENDS ${_icon_svg} VERBATIM)
      list(APPEND _icons ${_png})
      install(FILES ${_png} DESTINATION ${_share}/icons/hicolor/${_size}x${_size}/apps)
    endforeach()
    add_custom_target(linvara_icons ALL DEPENDS ${_icons})
  else()
    message(WARNING "rsvg-convert not found: the package carries only the SVG icon")
  endif()
endif()

if(UNIX AND NOT APPLE)
  # Man pages and the files every Debian package's doc folder holds, compressed
  # as Debian installs them.
  set(_man ${CMAKE_BINARY_DIR}/man)
  foreach(_page ${_man_pages})
    configure_file(${_pkg}/${_page}.in ${_man}/${_page} @ONLY)
  endforeach()
  string(TIMESTAMP LINVARA_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(${_pkg}/changelog.in ${_man}/changelog @ONLY)
  set(_gz)
  foreach(_file ${_man_pages} changelog)
    add_custom_command(OUTPUT ${_man}/${_file}.gz
      COMMAND gzip -9 -n -k -f ${_man}/${_file}
      DEPENDS ${_man}/${_file} VERBATIM)
    list(APPEND _gz ${_man}/${_file}.gz)
  endforeach()
  add_custom_target(linvara_man ALL DEPENDS ${_gz})
  list(TRANSFORM _man_pages PREPEND ${_man}/)
  list(TRANSFORM _man_pages APPEND .gz)
  install(FILES ${_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${_man}/changelog.gz ${_pkg}/copyright DESTINATION ${LINVARA_DOC_DIR})
  if(_have_markdown AND EXISTS ${_guide_md})
    install(FILES ${_pkg}/linvara.doc-base DESTINATION ${_share}/doc-base RENAME linvara)
  endif()
endif()

# Packages: `cpack -G DEB` in the build folder (scripts/package.sh).
set(CPACK_PACKAGE_NAME linvara)
set(CPACK_PACKAGE_VENDOR "Linvara")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "route survey converter for overhead power lines")
set(CPACK_PACKAGE_DESCRIPTION
"Linvara电力格式转换 opens the project files of a GNSS collector (*.PD),
puts the stakes of a power line route in order, lets the engineer edit
them and writes the ORG exchange file, tower-base section files and result
files (coordinate lists, CSV, DXF, KML). It also merges projects.
.
The package holds the desktop program linvara and the command line
linvara-cli, and a user guide in Chinese.")
set(CPACK_PACKAGE_CONTACT "Linvara developers <linvara@example.org>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Linvara)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plugins, so dpkg-shlibdeps cannot see them: the SVG icon engine
# (the toolbar icons). The X11 platform plugin ships with libqt6gui6.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Chinese text needs a CJK font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(NOT CPACK_GENERATOR AND UNIX AND NOT APPLE)
  set(CPACK_GENERATOR DEB)
endif()
include(CPack)
