# The OCI layer's literal INSERTs against its plain statements.
if(TARGET ndloci)
  ndl_add_fuzz(literal_insert SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/literal_insert_fuzz.cpp LIBS ndloci
               CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/literal_insert)
  target_include_directories(literal_insert PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform)
endif()
