# A procedure whose definition differs from its row does not build: the file
# compiles as it stands, and fails, naming the procedure, with a definition
# that differs from its row in one parameter, for a procedure of each kind of
# row: an address procedure, a directory procedure, the decorated dirlist, the
# expression procedure, and a helper of the second build that has only its
# declaration.
foreach(mismatch NONE C_compute_mask C_check_dir dirlist C_evaluate_expression count_on_bits)
  set(defs "")
  if(NOT mismatch STREQUAL "NONE")
    set(defs -DNDL_MISMATCH=${mismatch})
  endif()
  execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only ${defs} -I${SOURCE_DIR}/addrkit -I${SOURCE_DIR}/platform
                          -I${SOURCE_DIR}/evaluator -I${SOURCE_DIR}/folderwalk -I${SOURCE_DIR}/addrkit-solaris
                          ${SOURCE_DIR}/tests/addrkit/rows_defined_check.cpp
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(mismatch STREQUAL "NONE")
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "the rows' declarations and checks do not compile:\n${out}")
    endif()
  elseif(rc EQUAL 0)
    message(FATAL_ERROR "a definition of ${mismatch} that differs from its row compiled")
  elseif(NOT out MATCHES "overloaded function|is not defined as its row declares it"
         OR NOT out MATCHES "${mismatch}")
    # The address of a name overloaded by the wrong definition does not
    # resolve, at the expansion of the procedure's row.
    message(FATAL_ERROR "the failure is not the row check of ${mismatch}:\n${out}")
  endif()
endforeach()
message(STATUS "a definition that differs from its row does not build")
