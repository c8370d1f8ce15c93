# The address-text and list parsers, and the procedures that read lists,
# writing into buffers of exactly their declared length.
set(ADDRKIT_DIR ${CMAKE_SOURCE_DIR}/addrkit)
ndl_add_fuzz(addrkit_parse
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/addrkit_parse_fuzz.cpp ${ADDRKIT_DIR}/addrmodel.cpp
          ${ADDRKIT_DIR}/procframe.cpp ${ADDRKIT_DIR}/validate.cpp ${ADDRKIT_DIR}/convert.cpp
          ${ADDRKIT_DIR}/addrlists.cpp ${ADDRKIT_DIR}/freespace.cpp ${ADDRKIT_DIR}/subnets.cpp
          ${ADDRKIT_DIR}/aggregate.cpp ${ADDRKIT_DIR}/hostalloc.cpp
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/seeds/addrkit_parse)
target_include_directories(addrkit_parse PRIVATE ${ADDRKIT_DIR} ${CMAKE_SOURCE_DIR}/platform
                           ${CMAKE_SOURCE_DIR}/platform/extproc)
