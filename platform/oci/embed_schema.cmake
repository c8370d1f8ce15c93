cmake_minimum_required(VERSION 3.24)
# Writes OUT, a C++ source holding the schema text and the version indexes
# as NUL-terminated byte arrays, so that a new repository gets its layout's
# tables (the older layout is derived from it, schema.cpp) and one of several
# versions or networks its indexes; and both translated for the server
# backend, so that the two dialects come from the one text.
function(bytes_of text var)
  string(HEX "${text}" hex)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
  set(${var} "${body}" PARENT_SCOPE)
endfunction()

# The server's dialect: NUMBER(n) as a 64-bit integer (every 10-digit value
# fits, the defines check the 32-bit range), texts and dates (SYSDATE's text)
# compared byte by byte, the column named offset quoted, and each trigger
# body a PL/pgSQL function of its own. The lines stay as they are, so the
# older layout is derived from the translation as from the original.
function(server_dialect text var)
  string(REGEX REPLACE "NUMBER\\([0-9]+\\)" "bigint" text "${text}")
  string(REGEX REPLACE "VARCHAR2\\([0-9]+\\)" "text COLLATE \"C\"" text "${text}")
  string(REGEX REPLACE "(\n  [a-z_0-9]+ +)DATE([,\n ])" "\\1text COLLATE \"C\"\\2" text "${text}")
  string(REGEX REPLACE "\n  offset " "\n  \"offset\" " text "${text}")
  set(out "")
  while(TRUE)
    string(FIND "${text}" "CREATE TRIGGER " at)
    if(at EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${text}" 0 ${at} before)
    string(SUBSTRING "${text}" ${at} -1 rest)
    string(FIND "${rest}" "\nEND;" end)
    if(end EQUAL -1)
      message(FATAL_ERROR "a trigger of the schema has no END;")
    endif()
    string(SUBSTRING "${rest}" 0 ${end} trigger)
    math(EXPR after "${end} + 5")
    string(SUBSTRING "${rest}" ${after} -1 text)
    if(NOT trigger MATCHES "^CREATE TRIGGER ([A-Za-z_0-9]+) ((AFTER|BEFORE) [A-Z]+ ON [A-Za-z_0-9]+)([^\n]*)\nFOR EACH ROW BEGIN\n(.*)$")
      message(FATAL_ERROR "a trigger of the schema does not read as CREATE TRIGGER name AFTER|BEFORE event ON table ... FOR EACH ROW BEGIN")
    endif()
    set(name "${CMAKE_MATCH_1}")
    set(when "${CMAKE_MATCH_2}")
    set(note "${CMAKE_MATCH_4}")
    set(body "${CMAKE_MATCH_5}")
    string(APPEND out "${before}CREATE FUNCTION ${name}_fn() RETURNS trigger LANGUAGE plpgsql AS $body$${note}\nBEGIN\n${body}\n  RETURN OLD;\nEND $body$;\nCREATE TRIGGER ${name} ${when} FOR EACH ROW EXECUTE FUNCTION ${name}_fn();")
  endwhile()
  set(${var} "${out}${text}" PARENT_SCOPE)
endfunction()

file(READ "${VERSIONED}" versioned_text)
file(READ "${VERSION_INDEXES}" version_indexes_text)
server_dialect("${versioned_text}" server_versioned_text)
server_dialect("${version_indexes_text}" server_version_indexes_text)
bytes_of("${versioned_text}" versioned)
bytes_of("${version_indexes_text}" version_indexes)
bytes_of("${server_versioned_text}" server_versioned)
bytes_of("${server_version_indexes_text}" server_version_indexes)
file(WRITE "${OUT}.tmp"
"// Generated at build time from database/schema.sql and
// database/version_indexes.sql; edit those instead.
namespace ndloci {
extern const unsigned char kSchemaVersioned[] = {${versioned}0x00};
extern const unsigned char kVersionIndexes[] = {${version_indexes}0x00};
extern const unsigned char kServerSchemaVersioned[] = {${server_versioned}0x00};
extern const unsigned char kServerVersionIndexes[] = {${server_version_indexes}0x00};
}
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
