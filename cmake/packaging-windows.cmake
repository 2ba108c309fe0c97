# The Windows programs' resources and packages, made in the cross build:
#   cpack -G "ZIP;NSIS"  ->  Linvara-<version>-win64.zip and Linvara-<version>-win64.exe
# Without Qt the package is the self-contained command line; with Qt it holds
# the desktop program beside it with everything both load (windows-runtime.cmake).
# Included by the top level on Windows only.

set(_programs linvara-cli)
if(TARGET linvara)
  list(APPEND _programs linvara)
endif()

# The icon, rendered from the desktop's SVG, and a version resource in each program.
find_program(LINVARA_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(LINVARA_PYTHON3 NAMES python3 HINTS /usr/bin REQUIRED)
set(_icon_svg ${PROJECT_SOURCE_DIR}/src/gui/resources/icons/app.svg)
set(LINVARA_ICO ${CMAKE_BINARY_DIR}/icons/linvara.ico)
set(_pngs)
foreach(_size 16 24 32 48 64 256)
  set(_png ${CMAKE_BINARY_DIR}/icons/linvara-${_size}.png)
  add_custom_command(OUTPUT ${_png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
    COMMAND ${LINVARA_RSVG_CONVERT} -w ${_size} -h ${_size} -o ${_png} ${_icon_svg}
    DEPENDS ${_icon_svg} VERBATIM)
  list(APPEND _pngs ${_png})
endforeach()
add_custom_command(OUTPUT ${LINVARA_ICO}
  COMMAND ${LINVARA_PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/windows/make_ico.py ${LINVARA_ICO} ${_pngs}
  DEPENDS ${_pngs} ${PROJECT_SOURCE_DIR}/packaging/windows/make_ico.py VERBATIM)
add_custom_target(linvara_icon DEPENDS ${LINVARA_ICO})
foreach(_program ${_programs})
  set(LINVARA_RC_NAME ${_program})
  if(_program STREQUAL linvara)
    set(LINVARA_RC_DESCRIPTION "Linvara电力格式转换")
  else()
    set(LINVARA_RC_DESCRIPTION "Linvara电力格式转换（命令行）")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/linvara.rc.in ${CMAKE_BINARY_DIR}/rc/${_program}.rc @ONLY)
  target_sources(${_program} PRIVATE ${CMAKE_BINARY_DIR}/rc/${_program}.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/rc/${_program}.rc PROPERTIES OBJECT_DEPENDS ${LINVARA_ICO})
  add_dependencies(${_program} linvara_icon)
endforeach()

install(TARGETS ${_programs} RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/WINDOWS.md DESTINATION doc)
if(TARGET linvara_plan)
  include(${CMAKE_CURRENT_LIST_DIR}/windows-runtime.cmake)
endif()
# PROJ's database, found at run time in share/proj beside bin/.
if(LINVARA_WITH_PROJ)
  # Beside the PROJ that was linked: <prefix>/lib/cmake/proj -> <prefix>/share/proj.
  find_package(PROJ CONFIG REQUIRED)
  find_file(LINVARA_PROJ_DB proj.db PATHS ${PROJ_DIR}/../../../share/proj NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(_out ${CMAKE_BINARY_DIR}/share/proj/proj.db)
  add_custom_command(OUTPUT ${_out} COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LINVARA_PROJ_DB} ${_out}
    DEPENDS ${LINVARA_PROJ_DB} VERBATIM)
  add_custom_target(linvara_proj_db ALL DEPENDS ${_out})
  install(FILES ${LINVARA_PROJ_DB} DESTINATION share/proj)
endif()
if(TARGET linvara)
  # 关于 › 用户手册 finds it in bin/../share/doc/linvara.
  include(${CMAKE_CURRENT_LIST_DIR}/user-guide.cmake)
endif()

set(CPACK_PACKAGE_NAME Linvara)
set(CPACK_PACKAGE_VENDOR Linvara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Linvara电力格式转换")
set(CPACK_PACKAGE_FILE_NAME Linvara-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Linvara)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Linvara)
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_STRIP_FILES ON)  # the build keeps its debug information, the packages do not

# A 64-bit installer (NSIS's amd64 stub) for a 64-bit program: it runs
# where only 64-bit programs do, and installs into "Program Files".
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Linvara ${PROJECT_VERSION}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
set(CPACK_NSIS_MUI_ICON ${LINVARA_ICO})
set(CPACK_NSIS_MUI_UNIICON ${LINVARA_ICO})
if(TARGET linvara)
  set(CPACK_NSIS_DISPLAY_NAME "Linvara ${PROJECT_VERSION}")
  set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\linvara.exe")
  # A Start-menu entry; the options page offers a desktop shortcut and the
  # command line on the PATH (neither by default, nor in a silent install).
  set(CPACK_PACKAGE_EXECUTABLES linvara Linvara)
  set(CPACK_CREATE_DESKTOP_LINKS linvara)
  set(CPACK_NSIS_MODIFY_PATH ON)
  # .PD files open in the desktop program on double-click; the uninstaller
  # takes the association back only while it is still Linvara's.
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
    WriteRegStr SHCTX 'Software\\\\Classes\\\\.PD' '' 'Linvara.Project'
    WriteRegStr SHCTX 'Software\\\\Classes\\\\Linvara.Project' '' 'Linvara Project'
    WriteRegStr SHCTX 'Software\\\\Classes\\\\Linvara.Project\\\\DefaultIcon' '' '$INSTDIR\\\\bin\\\\linvara.exe,0'
    WriteRegStr SHCTX 'Software\\\\Classes\\\\Linvara.Project\\\\shell\\\\open\\\\command' '' '\\\"$INSTDIR\\\\bin\\\\linvara.exe\\\" \\\"%1\\\"'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  ")
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
    ReadRegStr $0 SHCTX 'Software\\\\Classes\\\\.PD' ''
    StrCmp $0 'Linvara.Project' 0 +3
    DeleteRegValue SHCTX 'Software\\\\Classes\\\\.PD' ''
    DeleteRegKey /ifempty SHCTX 'Software\\\\Classes\\\\.PD'
    DeleteRegKey SHCTX 'Software\\\\Classes\\\\Linvara.Project'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  ")
else()
  set(CPACK_NSIS_DISPLAY_NAME "Linvara ${PROJECT_VERSION} (command line)")
endif()

include(CPack)
