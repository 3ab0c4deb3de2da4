# Runs the data generator into OUTPUT_DIR and fails unless every file in
# FILES matches its committed copy in SHIPPED_DIR byte for byte.
file(REMOVE_RECURSE ${OUTPUT_DIR})
execute_process(COMMAND ${PYTHON} ${GENERATOR} ${OUTPUT_DIR} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "data generator failed (${status})")
endif()
foreach(file IN LISTS FILES)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SHIPPED_DIR}/${file}
                          ${OUTPUT_DIR}/${file} RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${file}: regenerated file differs from the committed one; "
                        "rerun tools/make_physics_data.py data and review the change")
  endif()
endforeach()
