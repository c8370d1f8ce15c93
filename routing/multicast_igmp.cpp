// ROUTING-IGMP: the interfaces of a node type that take part in IGMP
// (MEMBER) and the groups an interface joins or carries (GROUP).
#include "lookup.h"
#include "multicast.h"

namespace {

const value_table IGMPAddrTypes[] = {"STATIC", "JOIN", ""};
constexpr char kAddrTypeMsg[] = "Error: Invalid addresstype for IGMP : %s @ %d\n";

// ---- MEMBER ----

using IM = igmp_int_class_rec;

constinit keyword_table_of igmpmembertokens{
    {
        mcast_key("INTERFACE", NDL_TEXT(IM, namedinterface), 1, 0,
                  "the interface that runs IGMP: " MCAST_INTERFACE),
        mcast_key("ACL", NDL_TEXT(IM, accessgroup), 0, 0,
                  "the access group: the access list of the groups its hosts may join: " MCAST_KEPT),
        mcast_context<IM>(),
        MCAST_PUNCTUATION,
    },
    kMcastList};

int check_member(block_reader &r, void *entry, void *) {
    IM &e = *static_cast<IM *>(entry);
    if (mcast_mandatory(r, "igmpmembertokens",
                        "Error : Mandatory field '%s' for 'MEMBER' in 'ROUTING-IGMP' block is not defined: %d\n") ||
        interface_of(r, e, e.namedinterface, kInterfaceMsg, e.namedinterface))
        return 1;
    null_marker_empty({e.context1, e.context2, e.context3, e.namedinterface, e.accessgroup});
    return 0;
}

const entry_def member_entry = mcast_entry(igmpmembertokens, sizeof(IM), init_mcast<IM, kSeqMember>, check_member);

// ---- GROUP: one CONTEXT at most ----

using IG = igmp_int_addr_class_rec;

constinit keyword_table_of igmpgrouptokens{
    {
        mcast_key("INTERFACE", NDL_TEXT(IG, namedinterface), 1, 0,
                  "the interface that joins the group statically: " MCAST_INTERFACE " (without the GROUP's CONTEXT)"),
        [] {
            keyword_rule k = mcast_key("ADDRTYPE", NDL_TEXT(IG, addrtype), 1);
            k.before = one_of<IGMPAddrTypes, kAddrTypeMsg>;
            k.values = IGMPAddrTypes;
            return k;
        }(),
        mcast_context<IG>(false),
        mcast_key("ADDRESS", NDL_TEXT(IG, groupaddress), 1, 0,
                  "the group's address: " MCAST_KEPT " (not checked as a multicast address)"),
        MCAST_PUNCTUATION,
    },
    kMcastList};

// Groups are numbered per domain, node type and interface, counting every
// group already listed for that interface.
lookup::tally_index<IG, lookup::highest<&IG::sequence>, &IG::domainname, &IG::nodetype, &IG::namedinterface>
    group_numbers(prigmpgroup);

int32_t next_group(const IG &e) { return group_numbers.get(e.domainname, e.nodetype, e.namedinterface) + 1; }

// The group's context is not passed to the interface check.
int check_group(block_reader &r, void *entry, void *) {
    IG &e = *static_cast<IG *>(entry);
    if (mcast_mandatory(r, "igmpgrouptokens",
                        "Error : Mandatory field '%s' for 'GROUP' in 'ROUTING-IGMP' block is not defined: %d\n") ||
        interface_or_fail(r, e.domainname, e.nodetype, "", "", "", e.namedinterface, kInterfaceMsg,
                          e.namedinterface))
        return 1;
    e.sequence = next_group(e);
    null_marker_empty({e.context1, e.context2, e.context3});
    return 0;
}

const entry_def group_entry = mcast_entry(igmpgrouptokens, sizeof(IG), init_mcast<IG, kNoSeq>, check_group);

constinit keyword_table_of igmptokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        mcast_usage_row(),
        subblock_row("MEMBER", member_entry, file_mcast<IM, prigmpmember, kSeqMember>),
        subblock_row("GROUP", group_entry, file_mcast<IG, prigmpgroup, kNoSeq>),
        MCAST_PUNCTUATION,
        token_row("END", TOKEN_END),
    },
    kMcastBody};

}  // namespace

int parse_igmp(FILE *fp, FILE *, const char *) { return parse_mcast(fp, igmptokens, "IGMP"); }

namespace {

const block_doc igmp_doc = with_unique(node_block_doc("DOMAIN.TYPE M BEGIN",
                                          "ROUTING-IGMP NORTH.PE M BEGIN\n"
                                          "END\n", kProtocolRules), kMulticastUnique);

}  // namespace

block_keys igmp_keys() { return {&igmptokens, nullptr, &igmp_doc}; }
