# The NDL tokenizer.
if(TARGET ndlloader)
  ndl_add_fuzz(tokenizer SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tokenizer_fuzz.cpp LIBS ndlloader
               CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/tokenizer)
  # The block keywords are the sections' own.
  ndl_link_sections(tokenizer)
  target_include_directories(tokenizer PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
endif()
