# The evaluator's sources are compiled into the target so that libFuzzer
# sees their coverage.
ndl_add_fuzz(fuzz_evaluator
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_evaluator.cpp
          ${CMAKE_SOURCE_DIR}/evaluator/evaluator.cpp
          ${CMAKE_SOURCE_DIR}/evaluator/eval_parser.cpp
  LIBS m
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/fuzz_evaluator)
target_include_directories(fuzz_evaluator PRIVATE ${CMAKE_SOURCE_DIR}/evaluator)
