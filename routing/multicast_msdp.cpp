// ROUTING-MSDP: multicast source discovery on a node type. The block's own
// settings (originator interface, border address, what it redistributes)
// become one record at END; each PEER one record of its own.
#include "multicast.h"
#include "validations.h"

namespace {

// ---- PEER ----

using MP = msdp_neighbor_class_rec;

constinit keyword_table_of msdppeertokens{
    {
        mcast_key("NEIGHBOR", NDL_TEXT(MP, neighbor), 1, 100,
                  "the peer's address: " MCAST_KEPT),
        mcast_key("CONNECTSOURCE", NDL_TEXT(MP, connectsource), 0, 100,
                  "the interface whose address the session starts from: " MCAST_INTERFACE "; a PEER without it fails"),
        mcast_key("REMOTEAS", NDL_TEXT(MP, remoteas), 0, 100,
                  "the peer's AS number: " MCAST_KEPT),
        mcast_key("DESCRIPTION", NDL_TEXT(MP, description), 0, 100,
                  "a description of the peer: " MCAST_KEPT),
        mcast_key("ACLIN", NDL_TEXT(MP, safilterinacl), 0, 100,
                  "the access list that filters the SA messages received: " MCAST_KEPT),
        mcast_key("ACLOUT", NDL_TEXT(MP, safilteroutacl), 0, 100,
                  "the access list that filters the SA messages sent: " MCAST_KEPT),
        mcast_key("ROUTEMAPIN", NDL_TEXT(MP, safilterinmap), 0, 100,
                  "the route map that filters the SA messages received: " MCAST_KEPT),
        mcast_key("ROUTEMAPOUT", NDL_TEXT(MP, safilteroutmap), 0, 100,
                  "the route map that filters the SA messages sent: " MCAST_KEPT),
        truth_key<MP, &MP::defaultpeer, truth::latest>("DEFAULTPEER", 100),
        mcast_key("DEFAULTPREFIXLIST", NDL_TEXT(MP, defprefixlist), 0, 100,
                  "the prefix list of a default peer: " MCAST_KEPT),
        mcast_key("MESHGROUP", NDL_TEXT(MP, meshgroup), 0, 100,
                  "the name of the mesh group the peer belongs to: " MCAST_KEPT),
        mcast_context<MP>(),
        MCAST_PUNCTUATION,
    },
    kMcastList};

// The peer's address and filter names are stored unchecked.
int check_peer(block_reader &r, void *entry, void *) {
    MP &e = *static_cast<MP *>(entry);
    if (mcast_mandatory(r, "msdppeertokens",
                        "Error : Mandatory field '%s' for 'PEER' in 'ROUTING-MSDP' block is not defined: %d\n"))
        return 1;
    return interface_of(r, e, e.connectsource, kInterfaceMsg, e.connectsource);
}

const entry_def peer_entry = mcast_entry(msdppeertokens, sizeof(MP), init_mcast<MP, kSeqPeer>, check_peer);

// ---- REDISTRIBUTE: sets the block's values, appends nothing ----

struct redistribute_entry {
    char acl[kText];
    char asnlist[kText];
    char routemap[kText];
};
using RD = redistribute_entry;

constinit keyword_table_of msdpredistributetokens{
    {
        mcast_key("ACL", NDL_TEXT(RD, acl), 0, 100,
                  "the access list of the sources whose SA messages are originated: " MCAST_KEPT),
        mcast_key("ASNLIST", NDL_TEXT(RD, asnlist), 0, 100,
                  "the AS-path list of the sources whose SA messages are originated: " MCAST_KEPT),
        mcast_key("ROUTEMAP", NDL_TEXT(RD, routemap), 0, 100,
                  "the route map of the sources whose SA messages are originated: " MCAST_KEPT),
        MCAST_PUNCTUATION,
        token_row("END", TOKEN_END),
    },
    kMcastList};

// A later REDISTRIBUTE replaces only the keys it gives.
int check_redistribute(block_reader &r, void *entry, void *owner) {
    if (mcast_mandatory(
            r, "msdpredistributetokens",
            "Error : Mandatory field '%s' for 'REDISTRIBUTE' in 'ROUTING-MSDP' block is not defined: %d\n"))
        return 1;
    const RD &e = *static_cast<RD *>(entry);
    msdp_class_rec &block = static_cast<mcast_block *>(owner)->msdp;
    if (r.keys->found("ACL")) block.redistacl = e.acl;
    if (r.keys->found("ASNLIST")) block.redistasnpathacl = e.asnlist;
    if (r.keys->found("ROUTEMAP")) block.redistroutemap = e.routemap;
    return 0;
}

const entry_def redistribute_def = mcast_entry(msdpredistributetokens, sizeof(RD), nullptr, check_redistribute);

// ---- the block ----

// The flag is checked once the value is read; the value is upper-cased.
int usage_condition(block_reader &r, const keyword_rule &, void *rec) {
    const routing_block &b = static_cast<mcast_block *>(rec)->b;
    if (std::strcmp(b.mandatory, "O") != 0)
        return r.fail("Error: USAGE-CONDITION is applicable only for Optional protocols.@ %d\n", Line);
    int kind = 0;
    if (!validate_context(b.domainname, b.nodetype, r.tok, &kind)) return fail_pending(r);
    return 0;
}

// Block attributes: "=" and a value, upper-cased; a later one replaces it.
constexpr keyword_rule block_key(const char *name, field_ref field) {
    keyword_rule k = mcast_key(name, field);
    k.upper = true;
    k.repeatable = true;
    return k;
}

constinit keyword_table_of msdptokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        [] {
            keyword_rule k = block_key("USAGE-CONDITION", NDL_TEXT(mcast_block, b.usagecondition));
            k.after = usage_condition;
            k.checks = usagecondition_row().checks;
            return k;
        }(),
        [] {
            keyword_rule k = block_key("ORIGINATORID", NDL_TEXT(mcast_block, msdp.originatorid));
            k.checks = "the interface whose address SA messages carry as their originator: an interface function "
                       "such as `\"LOCALINT(INTERFACE.Loopback0)\"` (a bare name is refused), checked at END; a "
                       "block without it fails";
            return k;
        }(),
        [] {
            keyword_rule k = block_key("BORDERSAADDRESS", NDL_TEXT(mcast_block, msdp.borderasaddr));
            k.checks = "the border address of SA messages: " MCAST_KEPT;
            return k;
        }(),
        {.name = "REDISTRIBUTE", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &redistribute_def},
        subblock_row("PEER", peer_entry, file_mcast<MP, prmsdppeer, kSeqPeer>),
        MCAST_PUNCTUATION,
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = kBadKeyMsg,
     .equal_msg = "ERROR: token '=' is expected:  @ %d\n",
     .equal_token = false,
     .error_ends = true}};

const header_spec kMsdpHeader{
    .domain_msg = kLabelHeader.domain_msg,
    .dot_msg = kLabelHeader.dot_msg,
    .dot_line_only = true,
    .node_msg = "Error: Invalid node. Not defined : %s  @%d\n",
    .process_msg = nullptr,
    .number_msg = nullptr,
    .number_named = false,
    .mo_msg = kLabelHeader.mo_msg,
    .begin_msg = kLabelHeader.begin_msg,
    .lenient = false,
};

}  // namespace

// The declaration stays when the originator check fails; the run fails
// then all the same.
int parse_msdp(FILE *fp, FILE *, const char *) {
    block_reader r(fp, msdptokens, kRoutingEofMsg);
    mcast_block m;
    start_mcast(m, "MSDP");
    if (read_mcast(r, m, kMsdpHeader) ||
        mcast_mandatory(r, "msdptokens",
                        "Error : Mandatory field '%s'  in 'ROUTING-MSDP' block is not defined: %d\n") ||
        interface_or_fail(r, m.b.domainname, m.b.nodetype, "", "", "", m.msdp.originatorid, kInterfaceMsg,
                          m.msdp.originatorid))
        return 1;
    msdp_class_rec *rec = alloc_record<msdp_class_rec>();
    *rec = m.msdp;
    rec->domainname = m.b.domainname;
    rec->nodetype = m.b.nodetype;
    append_record(prmsdpclass, rec);
    return 0;
}

namespace {

constexpr block_rule msdp_rules[] = {
    kNodeTypeNameRule,
    kMandOptRule,
    {.text = "It gives ORIGINATORID", .part = "  ORIGINATORID = \"LOCALINT(INTERFACE.Loopback0)\"\n",
     .message = "Interfacename  expected"},
};

const block_doc msdp_doc{.header = "DOMAIN.TYPE M BEGIN",
                         .needs = "NODES",
                         .example = "ROUTING-MSDP NORTH.PE M BEGIN\n"
                                    "  ORIGINATORID = \"LOCALINT(INTERFACE.Loopback0)\"\n"
                                    "END\n",
                         .rules = msdp_rules,
                         .unique = kMulticastUnique};

}  // namespace

block_keys msdp_keys() { return {&msdptokens, nullptr, &msdp_doc}; }
