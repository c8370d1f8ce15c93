// The NETWORK block: the network's own description, one record per section.
#include <cstdlib>
#include <cstring>

#include "block.h"
#include "records_topology.h"
#include "topology.h"

namespace {

// clang-format off
token_entry networktokens[] = {
    {"BEGIN", 5, 0, 0, TOKEN_BEGIN, 30, 0, nullptr},
    {"ORGANIZATION", 12, 1, 0, TOKEN_ATTRIBUTE, 80, 0, nullptr},
    {"ADDRESS", 7, 1, 0, TOKEN_ATTRIBUTE, 80, 0, nullptr},
    {"CITY", 4, 1, 0, TOKEN_ATTRIBUTE, 80, 0, nullptr},
    {"COUNTRY", 7, 1, 0, TOKEN_ATTRIBUTE, 80, 0, nullptr},
    {"NETWORKZONENAME", 15, 1, 0, TOKEN_ATTRIBUTE, 60, 0, nullptr},
    {"EXPORTEDZONENAME", 16, 1, 0, TOKEN_ATTRIBUTE, 60, 0, nullptr},
    {"SECURITYGROUP", 13, 0, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"(", 1, 0, 0, TOKEN_LPAREN, 0, 0, nullptr},
    {")", 1, 0, 0, TOKEN_RPAREN, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {"END", 3, 0, 0, TOKEN_END, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};
// clang-format on

constexpr char kQuotedMsg[] = "ERROR : Invalid syntax specify value within quoted string: %s @ %d\n";

constexpr attr_rule network_attr(const char *keyword, size_t maxlen, field_ref field) {
    return attr_rule{.keyword = keyword, .kind = value_kind::quoted, .kind_msg = kQuotedMsg,
                     .maxlen = maxlen, .field = field};
}

const attr_rule networkrules[] = {
    network_attr("ORGANIZATION", 80, NDL_TEXT(network_rec, organization)),
    network_attr("ADDRESS", 80, NDL_TEXT(network_rec, address)),
    network_attr("CITY", 80, NDL_TEXT(network_rec, city)),
    network_attr("COUNTRY", 80, NDL_TEXT(network_rec, country)),
    network_attr("NETWORKZONENAME", 60, NDL_TEXT(network_rec, networkzonename)),
    network_attr("EXPORTEDZONENAME", 60, NDL_TEXT(network_rec, exportedzonename)),
    network_attr("SECURITYGROUP", 30, NDL_TEXT(network_rec, securitygroup)),
    {},
};

const attr_loop networkloop = {
    .rules = networkrules,
    .invalid_msg = "ERROR : Invalid Input :%s @%d \n",
    .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
    .equal_msg = "ERROR: Invalid syntax '=' expected : %s @ %d\n",
};

}  // namespace

int parse_network(FILE *fp, FILE *, const char *) {
    block_reader r(fp, networktokens);
    if (prnetwork) {
        g_error = 1;
        logmsg("ERROR: Multiple Network blocks @ %d \n", Line);
        keep_error_token(TOKEN_BEGIN, "");
        return 1;
    }
    // The record counts from here on: a second NETWORK block is refused even
    // when this one stops.
    network_rec *rec = alloc_record<network_rec>();
    std::strcpy(rec->securitygroup, "ALL");
    append_record(prnetwork, rec);

    if (!r.read_name(rec->networkname, kName - 1, kTooLongMsg)) return 1;
    if (!r.expect("BEGIN", "ERROR: KeyWord 'BEGIN' expected : %s @ %d \n")) return 1;
    clear_foundflag(networktokens);
    if (read_attributes(r, networkloop, rec)) return 1;
    r.check_mandatory("network", "ERROR: Mandatory variable '%s' not given in NETWORK block : @ %d\n",
                      r.start_line);
    return 0;
}
