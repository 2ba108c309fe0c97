# The user guide, as HTML where python3-markdown is installed, else as
# Markdown, with its images: built into <build>/share/doc/linvara, so the
# desktop program run from the build folder finds it where the installed one
# does (bin/../share/doc/linvara), and installed there.
if(WIN32)
  set(LINVARA_DOC_DIR share/doc/linvara)  # the packages' root is the install folder
else()
  include(GNUInstallDirs)
  set(LINVARA_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/linvara)
endif()

set(_guide_md ${PROJECT_SOURCE_DIR}/docs/用户手册.md)
set(_guide_out ${CMAKE_BINARY_DIR}/${LINVARA_DOC_DIR})
file(GLOB _guide_images CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/images/*.png)
# Debian's python3 first: python3-markdown is installed for it.
find_program(LINVARA_PYTHON3 NAMES python3 HINTS /usr/bin)
set(_have_markdown FALSE)
if(LINVARA_PYTHON3)
  execute_process(COMMAND ${LINVARA_PYTHON3} -c "import markdown"
                  RESULT_VARIABLE _markdown_rc OUTPUT_QUIET ERROR_QUIET)
  if(_markdown_rc EQUAL 0)
    set(_have_markdown TRUE)
  endif()
endif()
if(EXISTS ${_guide_md})
  if(_have_markdown)
    set(_guide_file ${_guide_out}/user-guide.html)
    add_custom_command(OUTPUT ${_guide_file}
      COMMAND ${LINVARA_PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/guide_html.py ${_guide_md} ${_guide_file}
      DEPENDS ${_guide_md} ${PROJECT_SOURCE_DIR}/packaging/guide_html.py
      COMMENT "User guide as HTML" VERBATIM)
  else()
    message(STATUS "python3-markdown not found: the user guide is installed as Markdown")
    set(_guide_file ${_guide_out}/user-guide.md)
    add_custom_command(OUTPUT ${_guide_file}
      COMMAND ${CMAKE_COMMAND} -E copy ${_guide_md} ${_guide_file}
      DEPENDS ${_guide_md} VERBATIM)
  endif()
  set(_guide_outputs ${_guide_file})
  foreach(_image ${_guide_images})
    get_filename_component(_name ${_image} NAME)
    add_custom_command(OUTPUT ${_guide_out}/images/${_name}
      COMMAND ${CMAKE_COMMAND} -E copy ${_image} ${_guide_out}/images/${_name}
      DEPENDS ${_image} VERBATIM)
    list(APPEND _guide_outputs ${_guide_out}/images/${_name})
  endforeach()
  add_custom_target(linvara_guide ALL DEPENDS ${_guide_outputs})
  install(FILES ${_guide_file} DESTINATION ${LINVARA_DOC_DIR})
  install(FILES ${_guide_images} DESTINATION ${LINVARA_DOC_DIR}/images)
endif()

