// The rendezvous-point sub-blocks of ROUTING-PIM: RP, RPACCEPT, BSR,
// MAPPINGAGENT and AUTORPFILTER.
#include "database.h"
#include "multicast.h"

namespace {

const value_table RPModes[] = {"STATIC", "AUTORP", "BSR", ""};
constexpr char kModeMsg[] = "Error: Invalid RP mode :%s @ %d\n";
constexpr char kRpQuotesMsg[] = "Error: Please specify RP within quotes: %s @ %d\n";
constexpr char kAclQuotesMsg[] = "Error: Please specify ACL within quotes: %s @ %d\n";

// A key whose value must be a quoted string.
constexpr keyword_rule quoted_key(const char *name, field_ref field, const char *msg, int mandatory,
                                  const char *checks) {
    keyword_rule k = mcast_key(name, field, mandatory, 100, checks);
    k.kind = value_kind::quoted;
    k.kind_msg = msg;
    return k;
}

// ---- RP ----

using RP = pim_rp_class_rec;

constinit keyword_table_of pimrptokens{
    {
        [] {
            keyword_rule k = mcast_key("MODE", NDL_TEXT(RP, mcastmode), 1);
            k.before = one_of<RPModes, kModeMsg>;
            k.values = RPModes;
            return k;
        }(),
        quoted_key("RP", NDL_TEXT(RP, rpaddress), kRpQuotesMsg, 1, "the rendezvous point's address: " MCAST_KEPT),
        quoted_key("ACL-NAME", NDL_TEXT(RP, rpacl), kAclQuotesMsg, 1,
                   "the access list of the groups it serves: " MCAST_KEPT),
        mcast_context<RP>(),
        MCAST_PUNCTUATION,
    },
    kMcastList};

int check_rp(block_reader &r, void *, void *) {
    return mcast_mandatory(r, "pimrptokens",
                           "Error : Mandatory field '%s' for 'RP' in 'ROUTING-PIM' block is not defined: %d\n");
}

// ---- RPACCEPT ----

using RA = pim_accept_class_rec;

constinit keyword_table_of pimrpaccepttokens{
    {
        quoted_key("RP", NDL_TEXT(RA, acceptrpaddr), kRpQuotesMsg, 0,
                   "the rendezvous point accepted: " MCAST_KEPT "; not with AUTO-RP = TRUE"),
        quoted_key("ACL-NAME", NDL_TEXT(RA, acceptrpacl), kAclQuotesMsg, 0,
                   "the access list of the groups accepted for it: " MCAST_KEPT),
        mcast_context<RA>(),
        truth_key<RA, &RA::autorp, truth::latest>("AUTO-RP", 30),
        MCAST_PUNCTUATION,
    },
    kMcastList};

int check_rpaccept(block_reader &r, void *entry, void *) {
    RA &e = *static_cast<RA *>(entry);
    if (mcast_mandatory(r, "pimrpaccepttokens",
                        "Error : Mandatory field '%s' for 'RPACCEPT' in 'ROUTING-PIM' block is not defined: %d\n"))
        return 1;
    if (e.autorp == 1 && std::strlen(e.acceptrpaddr) >= 2 && !g_cli_checks.rp_beside_auto_rp)
        return r.fail("Error : RP should not be specified when AUTO-RP is true. %d\n", Line);
    return 0;
}

// ---- BSR (no CONTEXT: its contexts stay empty) ----

using BS = pim_bsr_class_rec;

constinit keyword_table_of pimbsrtokens{
    {
        mcast_key("INTERFACE", NDL_TEXT(BS, bsrcandint), 1, 100,
                  "the interface of the candidate bootstrap router: " MCAST_INTERFACE),
        mcast_key("HASH-MASK-LEN", NDL_TEXT(BS, bsrcandmasklen), 0, 0,
                  "the length of the hash mask: " MCAST_NUMBER),
        mcast_key("PRIORITY", NDL_TEXT(BS, priority), 0, 0,
                  "the candidate's priority: " MCAST_NUMBER),
        MCAST_PUNCTUATION,
    },
    kMcastList};

int check_bsr(block_reader &r, void *entry, void *) {
    BS &e = *static_cast<BS *>(entry);
    if (interface_of(r, e, e.bsrcandint, kInterfaceMsg, e.bsrcandint) ||
        numeric_of(r, e, e.bsrcandmasklen, "Error: Numeric expression is expected for masklen: %s @ %d\n", r.tok) ||
        numeric_of(r, e, e.priority, "Error: Numeric expression is expected for priority: %s @ %d\n", r.tok) ||
        mcast_mandatory(r, "pimbsrtokens",
                        "Error : Mandatory field '%s' for 'BSR' in 'ROUTING-PIM' block is not defined: %d\n"))
        return 1;
    null_marker_empty({e.context1, e.context2, e.context3, e.bsrcandint, e.bsrcandmasklen, e.priority});
    return 0;
}

// ---- MAPPINGAGENT ----

using MA = pim_auto_rp_class_rec;

constinit keyword_table_of mappingagenttokens{
    {
        mcast_key("INTERFACE", NDL_TEXT(MA, discoverint), 1, 0,
                  "the interface of the rendezvous-point mapping agent: " MCAST_INTERFACE),
        mcast_context<MA>(),
        MCAST_PUNCTUATION,
    },
    kMcastList};

int check_mappingagent(block_reader &r, void *entry, void *) {
    MA &e = *static_cast<MA *>(entry);
    if (mcast_mandatory(
            r, "mappingagenttokens",
            "Error : Mandatory field '%s' for 'MAPPINGAGENT' in 'ROUTING-PIM' block is not defined: %d\n"))
        return 1;
    return interface_of(r, e, e.discoverint, kInterfaceMsg, e.discoverint);
}

// ---- AUTORPFILTER ----

using RF = pim_rp_filter_class_rec;

constinit keyword_table_of autorpfiltertokens{
    {
        mcast_key("RPLIST", NDL_TEXT(RF, rpfilter), 0, 0,
                  "the access list of the rendezvous points accepted from announcements: " MCAST_KEPT),
        mcast_key("GROUPLIST", NDL_TEXT(RF, rpgroupfilter), 0, 0,
                  "the access list of the groups they may serve: " MCAST_KEPT),
        mcast_context<RF>(),
        MCAST_PUNCTUATION,
    },
    kMcastList};

int check_autorpfilter(block_reader &r, void *, void *) {
    return mcast_mandatory(
        r, "autorpfiltertokens",
        "Error : Mandatory field '%s' for 'AUTORPFILTER' in 'ROUTING-PIM' block is not defined: %d\n");
}

}  // namespace

const entry_def rp_entry = mcast_entry(pimrptokens, sizeof(RP), init_mcast<RP, kSeqRp>, check_rp);
const entry_def rpaccept_entry =
    mcast_entry(pimrpaccepttokens, sizeof(RA), init_mcast<RA, kSeqRpAccept>, check_rpaccept);
const entry_def bsr_entry = mcast_entry(pimbsrtokens, sizeof(BS), init_mcast<BS, kSeqBsr>, check_bsr);
const entry_def mappingagent_entry =
    mcast_entry(mappingagenttokens, sizeof(MA), init_mcast<MA, kSeqMappingAgent>, check_mappingagent);
const entry_def autorpfilter_entry =
    mcast_entry(autorpfiltertokens, sizeof(RF), init_mcast<RF, kSeqAutoRpFilter>, check_autorpfilter);
