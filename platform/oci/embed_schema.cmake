# Writes OUT, a C++ source holding the schema text as a NUL-terminated byte
# array, so that a new repository gets its layout's tables (the older layout
# is derived from it, schema.cpp).
function(bytes_of file var)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
  set(${var} "${body}" PARENT_SCOPE)
endfunction()

bytes_of("${VERSIONED}" versioned)
file(WRITE "${OUT}.tmp"
"// Generated at build time from database/schema.sql; edit that instead.
namespace ndloci {
extern const unsigned char kSchemaVersioned[] = {${versioned}0x00};
}
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
