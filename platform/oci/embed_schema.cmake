# Writes OUT, a C++ source holding the schema text and the version indexes
# as NUL-terminated byte arrays, so that a new repository gets its layout's
# tables (the older layout is derived from it, schema.cpp) and one of several
# versions or networks its indexes.
function(bytes_of file var)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
  set(${var} "${body}" PARENT_SCOPE)
endfunction()

bytes_of("${VERSIONED}" versioned)
bytes_of("${VERSION_INDEXES}" version_indexes)
file(WRITE "${OUT}.tmp"
"// Generated at build time from database/schema.sql and
// database/version_indexes.sql; edit those instead.
namespace ndloci {
extern const unsigned char kSchemaVersioned[] = {${versioned}0x00};
extern const unsigned char kVersionIndexes[] = {${version_indexes}0x00};
}
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
