// Reading a "domain . nodetype" reference, as block parsers of every
// section do.
#include <cstdio>
#include <cstring>

#include "records_common.h"
#include "registry.h"
#include "runstate.h"
#include "tokenizer.h"

namespace {

// A name field takes the token only when it fits; a longer token has been
// reported as unknown already and leaves the field empty.
void copy_name(char *field, const char *token) {
    if (std::strlen(token) < static_cast<size_t>(kName)) std::strcpy(field, token);
    else field[0] = '\0';
}

int unexpected_end() {
    setmsg("Error: Unexpected end of file @ %d \n", Line);
    g_error = 1;
    g_prevtokentype = TOKEN_ERROR;
    addtooutput();
    return 1;
}

}  // namespace

int parse_validate_domainnode(FILE *fp, token_entry **buckets, char *domainname, char *nodetype,
                              char *devicetype) {
    char token[kTokenSize];
    int kind = get_token(fp, token, buckets);
    if (kind == TOKEN_ERROR) return unexpected_end();
    if (!validate_domain(token))
        flag_error(kind, token, "Error: domain undefined: '%s' @ %d \n", token, Line);
    copy_name(domainname, token);

    kind = get_token(fp, token, buckets);
    if (std::strcmp(token, ".") != 0) {
        flag_error(kind, token, "Error: '.' expected as a qualifer for node type @ %d\n", Line);
        return 1;
    }

    kind = get_token(fp, token, buckets);
    if (kind == TOKEN_ERROR) return unexpected_end();
    if (!validate_node(domainname, token, devicetype))
        flag_error(kind, token, "Error: Invalid node . Not defined : %s  @%d\n", token, Line);
    copy_name(nodetype, token);
    return 0;
}
