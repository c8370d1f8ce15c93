// ROUTING-PIM: multicast routing with PIM on a node type, its register
// settings, member interfaces and rate limits; the rendezvous-point
// sub-blocks are in pim_rp.cpp.
#include "multicast.h"

namespace {

const value_table PimModes[] = {"sparse-mode", "dense-mode", "sparse-dense-mode", ""};
constexpr char kModeMsg[] = "Error: Invalid PIM mode :%s @ %d\n";
constexpr char kDirectionMsg[] = "Error: Invalid Direction value :%s @ %d\n";

// ---- REGISTER ----

using RG = pim_register_class_rec;

constinit keyword_table_of pimregistertokens{
    {
        mcast_key("SOURCE", NDL_TEXT(RG, registersource), 0, 0,
                  "the interface whose address register messages carry: " MCAST_INTERFACE
                  "; a REGISTER without it fails"),
        mcast_key("RATE", NDL_TEXT(RG, registerrate), 0, 0,
                  "the most register messages a second: " MCAST_NUMBER),
        mcast_key("ACCEPTRATE", NDL_TEXT(RG, acceptregisterrate), 0, 0,
                  "the most register messages a second accepted: " MCAST_NUMBER),
        mcast_key("ACCEPTACL", NDL_TEXT(RG, acceptregisteracl), 0, 0,
                  "the access list of the sources whose registers are accepted: " MCAST_KEPT),
        MCAST_PUNCTUATION,
    },
    kMcastList};

// The messages after ")" name the last token read, the ")" itself.
int check_register(block_reader &r, void *entry, void *) {
    RG &e = *static_cast<RG *>(entry);
    if (interface_or_fail(r, e.domainname, e.nodetype, "", "", "", e.registersource,
                          "Error: Interface is  expected for register source: %s @ %d\n", r.tok) ||
        numeric_or_fail(r, e.domainname, e.nodetype, "", "", "", e.registerrate,
                        "Error: Numeric expression is expected for registerrate: %s @ %d\n", r.tok))
        return 1;
    if (e.acceptregisterrate[0] &&
        numeric_or_fail(r, e.domainname, e.nodetype, "", "", "", e.acceptregisterrate,
                        "Error: Numeric expression is expected for acceptregisterrate: %s @ %d\n", r.tok))
        return 1;
    if (mcast_mandatory(r, "pimregistertokens",
                        "Error : Mandatory field '%s' for 'REGISTER' in 'ROUTING-PIM' block is not defined: %d\n"))
        return 1;
    null_marker_empty({e.registersource, e.registerrate, e.acceptregisteracl, e.acceptregisterrate});
    return 0;
}

const entry_def register_entry =
    mcast_entry(pimregistertokens, sizeof(RG), init_mcast<RG, kNoSeq>, check_register);

// ---- MEMBER ----

using PM = pim_member_class_rec;

constinit keyword_table_of pimmembertokens{
    {
        mcast_key("INTERFACE", NDL_TEXT(PM, namedinterface), 1, 100,
                  "the interface that runs PIM: " MCAST_INTERFACE),
        mcast_key("INRATE", NDL_TEXT(PM, inrate), 0, 0,
                  "the rate limit of the multicast traffic it receives: " MCAST_NUMBER),
        [] {
            keyword_rule k = mcast_key("MODE", NDL_TEXT(PM, mcastmode));
            k.before = one_of<PimModes, kModeMsg>;
            k.values = PimModes;
            return k;
        }(),
        mcast_key("NEIGHBORFILTER", NDL_TEXT(PM, neighborfilter), 0, 0,
                  "the access list of the PIM neighbors it accepts: " MCAST_KEPT),
        mcast_key("BOUNDARYACL", NDL_TEXT(PM, boundaryacl), 0, 0,
                  "the access list of the multicast boundary on the interface: " MCAST_KEPT),
        mcast_context<PM>(),
        MCAST_PUNCTUATION,
    },
    kMcastList};

int check_member(block_reader &r, void *entry, void *) {
    PM &e = *static_cast<PM *>(entry);
    if (interface_of(r, e, e.namedinterface, "Error: Interfacename is expected: %s @ %d\n", e.namedinterface) ||
        numeric_of(r, e, e.inrate, "Error: Numeric expression is expected for inrate: %s @ %d\n", r.tok))
        return 1;
    return mcast_mandatory(r, "pimmembertokens",
                           "Error : Mandatory field '%s' for 'member' in 'ROUTING-PIM' block is not defined: %d\n");
}

const entry_def member_entry = mcast_entry(pimmembertokens, sizeof(PM), init_mcast<PM, kSeqMember>, check_member);

// ---- RATE ----

using PR = pim_member_rate_class_rec;

constinit keyword_table_of pimratetokens{
    {
        mcast_key("INTERFACE", NDL_TEXT(PR, namedinterface), 1, 100,
                  "the interface whose multicast rate is limited: " MCAST_INTERFACE),
        mcast_key("RATE", NDL_TEXT(PR, rate), 1, 0,
                  "the rate limit: " MCAST_NUMBER),
        [] {
            keyword_rule k = mcast_key("DIRECTION", NDL_TEXT(PR, direction));
            k.before = one_of<Direction, kDirectionMsg>;
            k.values = Direction;
            return k;
        }(),
        mcast_key("GROUPLIST", NDL_TEXT(PR, grouplist), 0, 0,
                  "the access list of the groups limited: " MCAST_KEPT),
        mcast_key("SOURCELIST", NDL_TEXT(PR, sourcelist), 0, 0,
                  "the access list of the sources limited: " MCAST_KEPT),
        mcast_context<PR>(),
        MCAST_PUNCTUATION,
    },
    kMcastList};

int check_rate(block_reader &r, void *entry, void *) {
    PR &e = *static_cast<PR *>(entry);
    if (interface_of(r, e, e.namedinterface, kInterfaceMsg, e.namedinterface) ||
        numeric_of(r, e, e.rate, "Error: Numeric expression is expected for rate: %s @ %d\n", e.rate))
        return 1;
    return mcast_mandatory(r, "pimratetokens",
                           "Error : Mandatory field '%s' for 'RATE' in 'ROUTING-PIM' block is not defined: %d\n");
}

const entry_def rate_entry = mcast_entry(pimratetokens, sizeof(PR), init_mcast<PR, kSeqRate>, check_rate);

// ---- the block ----

constinit keyword_table_of pimtokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        mcast_usage_row(),
        subblock_row("RP", rp_entry, file_mcast<pim_rp_class_rec, prpimrp, kSeqRp>),
        subblock_row("RPACCEPT", rpaccept_entry, file_mcast<pim_accept_class_rec, prpimacceptrp, kSeqRpAccept>),
        subblock_row("BSR", bsr_entry, file_mcast<pim_bsr_class_rec, prpimbsr, kSeqBsr>),
        subblock_row("REGISTER", register_entry, file_mcast<RG, prpimregister, kNoSeq>),
        subblock_row("RATE", rate_entry, file_mcast<PR, prpimrate, kSeqRate>),
        subblock_row("MEMBER", member_entry, file_mcast<PM, prpimmember, kSeqMember>),
        subblock_row("AUTORPFILTER", autorpfilter_entry,
                     file_mcast<pim_rp_filter_class_rec, prautorpfilter, kSeqAutoRpFilter>),
        subblock_row("MAPPINGAGENT", mappingagent_entry,
                     file_mcast<pim_auto_rp_class_rec, prmappingagent, kSeqMappingAgent>),
        MCAST_PUNCTUATION,
        token_row("END", TOKEN_END),
    },
    kMcastBody};

}  // namespace

int parse_pim(FILE *fp, FILE *, const char *) { return parse_mcast(fp, pimtokens, "PIM"); }

namespace {

const block_doc pim_doc = with_unique(node_block_doc("DOMAIN.TYPE M BEGIN",
                                         "ROUTING-PIM NORTH.PE M BEGIN\n"
                                         "END\n", kProtocolRules), kMulticastUnique);

}  // namespace

block_keys pim_keys() { return {&pimtokens, nullptr, &pim_doc}; }
