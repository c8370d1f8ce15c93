# Regenerates what the tables' declaration makes and fails when a committed
# copy differs.
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/tools/tablegen/gen_tables.py ${OUT}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gen_tables.py failed")
endif()
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/tools/tablegen/gen_tables.py --list
                OUTPUT_VARIABLE names RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gen_tables.py --list failed")
endif()
string(REPLACE "\n" ";" names "${names}")
list(FILTER names EXCLUDE REGEX "^$")
foreach(name ${names})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${SOURCE_DIR}/${name}
                  RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "${name} is stale: run scripts/regen.sh")
  endif()
endforeach()
