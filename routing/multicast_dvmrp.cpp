// ROUTING-DVMRP: per interface of a node type its metric, filters, summary
// address and metric offsets (MEMBER).
#include "multicast.h"

namespace {

using DM = dvmrp_int_class_rec;

// A mask belongs to the summary address given before it in the same list.
int mask_after_address(block_reader &r, const keyword_rule &, void *) {
    if (r.keys->found("SUMMARYADDRESS")) return 0;
    return r.fail("ERROR: Please specify summary address before mask: @ %d\n", Line);
}

constinit keyword_table_of dvmrpmembertokens{
    {
        mcast_key("INTERFACE", NDL_TEXT(DM, namedinterface), 1, 0,
                  "the interface that runs DVMRP: " MCAST_INTERFACE),
        mcast_key("METRIC", NDL_TEXT(DM, metric), 0, 0,
                  "the metric of the routes it advertises: " MCAST_NUMBER),
        mcast_key("METRICACL", NDL_TEXT(DM, metricacl), 0, 0,
                  "the access list of the routes that METRIC applies to: " MCAST_KEPT),
        mcast_key("ACCEPTFILTER", NDL_TEXT(DM, acceptfilter), 0, 0,
                  "the access list of the routes it accepts: " MCAST_KEPT),
        mcast_key("NEIGHBORFILTER", NDL_TEXT(DM, neighborfilter), 0, 0,
                  "the access list of the DVMRP neighbors it accepts: " MCAST_KEPT),
        mcast_key("SUMMARYADDRESS", NDL_TEXT(DM, summaryaddr), 0, 0,
                  "the address of a summary route it advertises: " MCAST_KEPT),
        [] {
            keyword_rule k = mcast_key("SUMMARYMASK", NDL_TEXT(DM, summarymask));
            k.before = mask_after_address;
            k.checks = "the summary route's mask, after SUMMARYADDRESS: " MCAST_KEPT;
            return k;
        }(),
        mcast_key("SUMMARYMETRIC", NDL_TEXT(DM, summarymetric), 0, 0,
                  "the summary route's metric: " MCAST_KEPT),
        mcast_key("OFFSETIN", NDL_TEXT(DM, inoffset), 0, 0,
                  "the offset added to the metric of routes received: " MCAST_KEPT),
        mcast_key("OFFSETOUT", NDL_TEXT(DM, outoffset), 0, 0,
                  "the offset added to the metric of routes sent: " MCAST_KEPT),
        mcast_context<DM>(),
        MCAST_PUNCTUATION,
        token_row("END", TOKEN_END),
    },
    kMcastList};

int check_member(block_reader &r, void *entry, void *) {
    DM &e = *static_cast<DM *>(entry);
    if (mcast_mandatory(r, "dvmrpmembertokens",
                        "Error : Mandatory field '%s' for 'MEMBER' in 'ROUTING-DVMRP' block is not defined: %d\n") ||
        interface_of(r, e, e.namedinterface, kInterfaceMsg, e.namedinterface))
        return 1;
    if (e.metric[0] && numeric_of(r, e, e.metric, "Error: Numeric expression is expected for metric: %s @ %d\n", e.metric))
        return 1;
    return 0;
}

const entry_def member_entry = mcast_entry(dvmrpmembertokens, sizeof(DM), init_mcast<DM, kSeqMember>, check_member);

constinit keyword_table_of dvmrptokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        mcast_usage_row(),
        subblock_row("MEMBER", member_entry, file_mcast<DM, prdvmrpmember, kSeqMember>),
        MCAST_PUNCTUATION,
        token_row("END", TOKEN_END),
    },
    kMcastBody};

}  // namespace

int parse_dvmrp(FILE *fp, FILE *, const char *) { return parse_mcast(fp, dvmrptokens, "DVMRP"); }

namespace {

const block_doc dvmrp_doc = with_unique(node_block_doc("DOMAIN.TYPE M BEGIN",
                                           "ROUTING-DVMRP NORTH.PE M BEGIN\n"
                                           "END\n", kProtocolRules), kMulticastUnique);

}  // namespace

block_keys dvmrp_keys() { return {&dvmrptokens, nullptr, &dvmrp_doc}; }
