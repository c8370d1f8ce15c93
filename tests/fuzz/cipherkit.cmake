# Texts given to "-d": decoding and opening, and the round trip of any text.
# The cipher is compiled in with a single PBKDF2 round, so the fuzzer spends
# its time in our code rather than in the key stretching.
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
ndl_add_fuzz(cipherkit_open
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/cipherkit_open_fuzz.cpp ${CMAKE_SOURCE_DIR}/platform/cipherkit/cipherkit.cpp
  LIBS OpenSSL::Crypto
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/seeds/cipherkit_open)
target_include_directories(cipherkit_open PRIVATE ${CMAKE_SOURCE_DIR}/platform/cipherkit)
target_compile_definitions(cipherkit_open PRIVATE CIPHERKIT_ITERATIONS=1)
