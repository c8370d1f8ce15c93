// The NETWORK block: the network's own description, one record per section.
#include <cstdlib>
#include <cstring>

#include "records_topology.h"
#include "topology_blocks.h"

namespace {

constexpr char kQuotedMsg[] = "ERROR : Invalid syntax specify value within quoted string: %s @ %d\n";
// SECURITYGROUP left out.
constexpr char kAllGroups[] = "ALL";

constexpr keyword_rule network_attr(const char *keyword, int mandatory, int maxlen, field_ref field,
                                    const char *unset = nullptr) {
    return keyword_rule{.name = keyword, .mandatory = mandatory, .maxlen = maxlen,
                        .kind = value_kind::quoted, .kind_msg = kQuotedMsg, .field = field, .unset = unset};
}

constinit keyword_table_of networktokens{
    {
        token_row("BEGIN", TOKEN_BEGIN, 30),
        network_attr("ORGANIZATION", 1, 80, NDL_TEXT(network_rec, organization)),
        network_attr("ADDRESS", 1, 80, NDL_TEXT(network_rec, address)),
        network_attr("CITY", 1, 80, NDL_TEXT(network_rec, city)),
        network_attr("COUNTRY", 1, 80, NDL_TEXT(network_rec, country)),
        network_attr("NETWORKZONENAME", 1, 60, NDL_TEXT(network_rec, networkzonename)),
        network_attr("EXPORTEDZONENAME", 1, 60, NDL_TEXT(network_rec, exportedzonename)),
        network_attr("SECURITYGROUP", 0, 30, NDL_TEXT(network_rec, securitygroup), kAllGroups),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "ERROR : Invalid Input :%s @%d \n",
     .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
     .equal_msg = "ERROR: Invalid syntax '=' expected : %s @ %d\n"}};

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
    rec->securitygroup = kAllGroups;
    append_record(prnetwork, rec);

    if (!r.read_name(rec->networkname, kName - 1, kTooLongMsg)) return 1;
    if (!r.expect("BEGIN", "ERROR: KeyWord 'BEGIN' expected : %s @ %d \n")) return 1;
    clear_foundflag(r.table);
    if (read_attributes(r, rec)) return 1;
    r.check_mandatory("network", "ERROR: Mandatory variable '%s' not given in NETWORK block : @ %d\n",
                      r.start_line);
    return 0;
}

namespace {

constexpr block_rule network_rules[] = {
    {.text = "Its name is the network that the section header names", .part = "NETWORK LAB",
     .instead = "NETWORK OTHER", .message = "ERROR:Network name does not match with the section header"},
};

constexpr block_unique network_unique[] = {
    {.what = "The NETWORK block", .within = "the load (one block, whatever its name)",
     .message = "ERROR: Multiple Network blocks @ %d \n"},
};

const block_doc network_doc{.header = "name BEGIN",
                            .example = "NETWORK LAB BEGIN\n"
                                       "  ORGANIZATION = \"Lab Networks\"\n"
                                       "  ADDRESS = \"1 Main Street\"\n"
                                       "  CITY = \"Porto\"\n"
                                       "  COUNTRY = \"Portugal\"\n"
                                       "  NETWORKZONENAME = \"lab.example\"\n"
                                       "  EXPORTEDZONENAME = \"ext.lab.example\"\n"
                                       "END\n",
                            .rules = network_rules,
                            .unique = network_unique};

}  // namespace

block_keys network_keys() { return {&networktokens, nullptr, &network_doc}; }
