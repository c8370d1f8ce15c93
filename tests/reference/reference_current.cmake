# Runs ndlref and fails when the committed reference differs from its output.
execute_process(COMMAND ${TOOL} OUTPUT_FILE ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ndlref failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${DOC} RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "docs/ndl-reference.md is stale, not what the parser's tables say: "
                      "run scripts/regen.sh")
endif()
