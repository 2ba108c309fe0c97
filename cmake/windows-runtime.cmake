# What the Windows programs load besides themselves when they use Qt: the
# MinGW runtime, Qt's DLLs and plugins, and Qt's Chinese texts. Copied beside the programs in the build folder (so that the
# tests run there under Wine as the installed program runs) and installed
# beside them in the packages. Included by packaging-windows.cmake.

# Qt's imported targets belong to the folder that found them: find them here too.
find_package(Qt6 REQUIRED COMPONENTS Widgets Svg PrintSupport Network)
if(LINVARA_BUILD_TESTS)
  find_package(Qt6 REQUIRED COMPONENTS Test)
endif()

set(_bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set(_deployed)
function(_linvara_deploy source destination)  # destination relative to bin/
  get_filename_component(_name ${source} NAME)
  set(_out ${_bin}/${destination}/${_name})
  add_custom_command(OUTPUT ${_out} COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${_out}
    DEPENDS ${source} VERBATIM)
  set(_deployed ${_deployed} ${_out} PARENT_SCOPE)
endfunction()

# The compiler's runtime, where the compiler itself finds it.
set(_runtime)
foreach(_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zlib1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
    OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${_path}" OR NOT EXISTS "${_path}")
    message(FATAL_ERROR "${_dll} not found by ${CMAKE_CXX_COMPILER}")
  endif()
  get_filename_component(_path ${_path} REALPATH)
  list(APPEND _runtime ${_path})
endforeach()

# Qt's DLLs and the plugins the programs load: the Windows platform (and
# offscreen, for the tests and the command line's plan without a display),
# the native style, the SVG icon engine (toolbar icons) and image format.
set(_qt_dlls Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Svg Qt6::PrintSupport Qt6::Network)
set(_qt_plugins
  Qt6::QWindowsIntegrationPlugin=platforms Qt6::QOffscreenIntegrationPlugin=platforms
  Qt6::QWindowsVistaStylePlugin=styles Qt6::QSvgIconPlugin=iconengines Qt6::QSvgPlugin=imageformats)
set(_qt_files)
foreach(_target ${_qt_dlls})
  get_target_property(_path ${_target} IMPORTED_LOCATION_RELEASE)
  list(APPEND _qt_files ${_path})
endforeach()
foreach(_runtime_file ${_runtime} ${_qt_files})
  _linvara_deploy(${_runtime_file} .)
  install(FILES ${_runtime_file} DESTINATION bin)
endforeach()
foreach(_entry ${_qt_plugins})
  string(REPLACE "=" ";" _pair ${_entry})
  list(GET _pair 0 _target)
  list(GET _pair 1 _kind)
  get_target_property(_path ${_target} IMPORTED_LOCATION_RELEASE)
  _linvara_deploy(${_path} plugins/${_kind})
  install(FILES ${_path} DESTINATION bin/plugins/${_kind})
endforeach()
# The tests' own Qt library, in the build folder only.
if(LINVARA_BUILD_TESTS)
  get_target_property(_path Qt6::Test IMPORTED_LOCATION_RELEASE)
  _linvara_deploy(${_path} .)
endif()

# qt.conf makes bin/ Qt's prefix: plugins in bin/plugins, translations in bin/translations.
_linvara_deploy(${PROJECT_SOURCE_DIR}/packaging/windows/qt.conf .)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/qt.conf DESTINATION bin)

# Qt's own Chinese texts (standard buttons, file and print dialogs): a .qm
# file is the same on every system, so Debian's qt6-translations-l10n serves.
find_file(LINVARA_QTBASE_ZH_CN qtbase_zh_CN.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT LINVARA_QTBASE_ZH_CN)
  message(FATAL_ERROR "qtbase_zh_CN.qm not found: install qt6-translations-l10n")
endif()
_linvara_deploy(${LINVARA_QTBASE_ZH_CN} translations)
install(FILES ${LINVARA_QTBASE_ZH_CN} DESTINATION bin/translations)

add_custom_target(linvara_runtime ALL DEPENDS ${_deployed})
