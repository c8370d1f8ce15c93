# Writes OUT, a C++ source holding the two schema texts as NUL-terminated
# byte arrays, so that a new repository gets its layout's tables.
function(bytes_of file var)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
  set(${var} "${body}" PARENT_SCOPE)
endfunction()

bytes_of("${VERSIONED}" versioned)
bytes_of("${UNVERSIONED}" unversioned)
file(WRITE "${OUT}.tmp"
"// Generated at build time from database/schema.sql and
// database/schema_unversioned.sql; edit those instead.
namespace ndloci {
extern const unsigned char kSchemaVersioned[] = {${versioned}0x00};
extern const unsigned char kSchemaUnversioned[] = {${unversioned}0x00};
}
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
