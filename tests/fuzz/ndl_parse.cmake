# Whole load runs: the driver and every built block parser on arbitrary files.
if(TARGET ndlcore)
  ndl_add_fuzz(ndl_parse
               SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ndl_parse_fuzz.cpp
                       ${CMAKE_SOURCE_DIR}/loader/entry.cpp ${CMAKE_SOURCE_DIR}/loader/log_clob.cpp
               LIBS ndlloader extprochost
               CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/ndl_parse)
  ndl_link_sections(ndl_parse)
endif()
