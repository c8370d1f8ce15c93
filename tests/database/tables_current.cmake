# Regenerates what the tables' declaration makes and fails when a committed
# copy differs.
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/tools/tablegen/gen_tables.py ${OUT}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gen_tables.py failed")
endif()
foreach(name database/schema.sql database/version_indexes.sql database/tables.inc database/older_layout.inc
             core/records_stored.h core/records_lists.h core/release.inc)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${SOURCE_DIR}/${name}
                  RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "${name} is stale: run scripts/regen.sh")
  endif()
endforeach()
