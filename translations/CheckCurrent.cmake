# Fails when a tracked .ts file lacks what lupdate would write into it now:
# lupdate runs over copies, which must come out unchanged. SETTINGS names the
# file, written by the build, that sets LUPDATE, OPTIONS, SOURCES, TS_FILES and
# WORK_DIR.
include(${SETTINGS})
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(copies)
foreach(ts ${TS_FILES})
  get_filename_component(name ${ts} NAME)
  configure_file(${ts} ${WORK_DIR}/${name} COPYONLY)
  list(APPEND copies ${WORK_DIR}/${name})
endforeach()
execute_process(COMMAND ${LUPDATE} ${OPTIONS} ${SOURCES} -ts ${copies} RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "lupdate failed: ${result}")
endif()
foreach(ts ${TS_FILES})
  get_filename_component(name ${ts} NAME)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ts} ${WORK_DIR}/${name}
    RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${name} is behind the sources: build the target update_translations")
  endif()
endforeach()
