# Runs one desktop test program under Wine and prints its log: a Qt Test
# program there writes nothing to the console ctest reads, so it writes its
# log to a file, and this script shows it.
# -DWINE=wine -DEXE=<program> -DLOG=<log file, Unix path>
get_filename_component(_log_dir ${LOG} DIRECTORY)
file(MAKE_DIRECTORY ${_log_dir})
file(REMOVE ${LOG})
execute_process(COMMAND ${WINE} ${EXE} -o "Z:${LOG},txt" RESULT_VARIABLE _rc)
if(EXISTS ${LOG})
  file(READ ${LOG} _text)
  message("${_text}")
endif()
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "${EXE}: exit ${_rc}")
endif()
