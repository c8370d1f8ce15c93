# Regenerates the parse tables and fails when the committed ones differ.
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/gen_parse_tables.py ${OUT}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gen_parse_tables.py failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${SOURCE_DIR}/parse_tables.inc
                RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "evaluator/parse_tables.inc is stale: run scripts/regen.sh")
endif()
