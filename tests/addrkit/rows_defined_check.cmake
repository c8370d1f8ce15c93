# A procedure whose definition differs from its row does not build: the file
# compiles as it stands, and fails, naming the procedure, with a definition
# that takes a long * where the row says int.
foreach(mismatch OFF ON)
  set(defs "")
  if(mismatch)
    set(defs -DNDL_MISMATCH)
  endif()
  execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only ${defs} -I${SOURCE_DIR}/addrkit -I${SOURCE_DIR}/platform
                          ${SOURCE_DIR}/tests/addrkit/rows_defined_check.cpp
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT mismatch AND NOT rc EQUAL 0)
    message(FATAL_ERROR "the rows' declarations and checks do not compile:\n${out}")
  endif()
  if(mismatch AND rc EQUAL 0)
    message(FATAL_ERROR "a definition that differs from its row compiled")
  endif()
  if(mismatch AND NOT out MATCHES "C_compute_mask")
    message(FATAL_ERROR "the failure does not name the procedure:\n${out}")
  endif()
endforeach()
message(STATUS "a definition that differs from its row does not build")
