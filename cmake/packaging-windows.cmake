# Packages of the Windows command line, made in the cross build:
#   cpack -G "ZIP;NSIS"  ->  Linvara-<version>-win64.zip and Linvara-<version>-win64.exe
# The program is one self-contained .exe (runtime linked in), so nothing
# else is shipped but the documents. Included by the top level on Windows only.

install(TARGETS linvara-cli RUNTIME DESTINATION bin COMPONENT cli)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/WINDOWS.md DESTINATION doc COMPONENT cli)

set(CPACK_PACKAGE_NAME Linvara)
set(CPACK_PACKAGE_VENDOR Linvara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Linvara电力格式转换 — command line")
set(CPACK_PACKAGE_FILE_NAME Linvara-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Linvara)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Linvara)
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_STRIP_FILES ON)  # the build keeps its debug information, the packages do not

# A 64-bit installer (NSIS's amd64 stub) for a 64-bit program: it runs
# where only 64-bit programs do, and installs into "Program Files".
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "Linvara ${PROJECT_VERSION} (command line)")
set(CPACK_NSIS_PACKAGE_NAME "Linvara ${PROJECT_VERSION}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)

include(CPack)
