# Directory names from arbitrary bytes against a live tree: no call may reach
# outside its base, and the lister stays in its buffer.
set(ADDRKIT_DIR ${CMAKE_SOURCE_DIR}/addrkit)
ndl_add_fuzz(dirprocs_names
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/dirprocs_names_fuzz.cpp ${ADDRKIT_DIR}/dirprocs.cpp
          ${ADDRKIT_DIR}/procframe.cpp ${ADDRKIT_DIR}/addrmodel.cpp ${CMAKE_SOURCE_DIR}/folderwalk/dirlist.cpp
  LIBS pathmap
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/seeds/dirprocs_names)
target_include_directories(dirprocs_names PRIVATE ${ADDRKIT_DIR} ${CMAKE_SOURCE_DIR}/folderwalk
                           ${CMAKE_SOURCE_DIR}/platform ${CMAKE_SOURCE_DIR}/platform/extproc)
