// VRF: the VRF group of a node type (DESCRIPTION) and its VRF entries, each
// followed by its member filters and route targets. The block is read and
// checked; no table stores it and it declares no protocol. Its lists are
// released with the other routing lists.
#include "multicast.h"
#include "validations.h"

namespace {

struct vrf_block {
    routing_block b;  // the header's domain and node type
    vrf_class_rec *current;  // the last VRF entry, which filters and targets follow
    int32_t vrfno;           // the next VRF entry's number
    int32_t targetseq;       // the next route target's number in the current VRF
};

constexpr char kEqualMsg[] = "ERROR: Invalid syntax '=' expected :%s @ %d\n";

// A value kept as read, refused when it does not fit its field.
constexpr keyword_rule vrf_key(const char *name, int maxlen, field_ref field) {
    return {.name = name, .maxlen = maxlen, .length = length_rule::field, .toolong_msg = kMaxLenMsg,
            .toolong_err = on_error::fail, .field = field};
}

// No key is checked for repeats: the last value counts.
constexpr loop_options kVrfList{.style = loop_style::separated,
                                .invalid_msg = "ERROR: Invalid attribute name : %s @ %d\n",
                                .equal_msg = kEqualMsg,
                                .separator_msg = "Error:',' or ')' expected : %s @ %d\n",
                                .close_early = true};

constexpr entry_def vrf_entry(keyword_table &keys, size_t size, void (*init)(void *, void *)) {
    return {.keys = &keys,
            .eof_msg = kRoutingEofMsg,
            .equal_msg = kEqualMsg,
            .open_msg = "ERROR: Invalid syntax '(' expected :%s @ %d\n",
            .size = size,
            .init = init};
}

template <class R>
void set_node(R &e, const vrf_block &v) {
    e.domainname = v.b.domainname;
    e.nodetype = v.b.nodetype;
}

// ---- DESCRIPTION ----

using VD = vrf_description_rec;

// A context of the group must give an address or network.
int group_context(block_reader &r, const keyword_rule &rule, void *rec) {
    VD &e = *static_cast<VD *>(rec);
    int kind = 0;
    if (!context_checked(r, e.domainname, e.nodetype, &kind)) return 1;
    if (kind != 1) return r.fail("Error:ip address/network is required for the context: %s @ %d\n", r.tok, Line);
    if (std::strlen(r.tok) > static_cast<size_t>(rule.maxlen)) return r.fail(kMaxLenMsg, r.tok, Line);
    put_context(r, {e.context1, e.context2, e.context3}, kMaxGivenMsg);
    return 0;
}

constinit keyword_table_of vrfdescriptiontokens{
    {
        [] {
            keyword_rule k = vrf_key("VRFGROUPNAME", 100, NDL_TEXT(VD, vrfgroupname));
            k.upper = true;
            return k;
        }(),
        {.name = "CONTEXT", .maxlen = 200, .kind = value_kind::quoted, .length = length_rule::own,
         .kind_msg = "Error: Specify  context within quotes: %s @ %d\n", .after = group_context,
         .checks = "a context of the node type, such as `\"BYHOST()\"`; at most three"},
        MCAST_PUNCTUATION,
    },
    kVrfList};

void init_description(void *entry, void *owner) { set_node(*static_cast<VD *>(entry), *static_cast<vrf_block *>(owner)); }

const entry_def description_entry = vrf_entry(vrfdescriptiontokens, sizeof(VD), init_description);

int file_description(block_reader &, const keyword_rule &, void *entry, void *) {
    append_record(prvrfdescription, static_cast<VD *>(entry));
    return 0;
}

// ---- VRF ----

using VC = vrf_class_rec;

constinit keyword_table_of vrfclasstokens{
    {
        vrf_key("VRFCLASS", 30, NDL_TEXT(VC, vrfclass)),
        vrf_key("VRFNAME", 200, NDL_TEXT(VC, vrfname)),
        truth_key<VC, &VC::shared, truth::sticky>("SHARED", 0),
        vrf_key("POOLCLASS", 200, NDL_TEXT(VC, poolclass)),
        vrf_key("RDSCHEME", 200, NDL_TEXT(VC, rdscheme)),
        vrf_key("RDPREFIX", 200, NDL_TEXT(VC, rdprefix)),
        truth_key<VC, &VC::nodeunique, truth::sticky>("NODEUNIQUE", 200),
        vrf_key("OWNER", 200, NDL_TEXT(VC, owner)),
        MCAST_PUNCTUATION,
    },
    kVrfList};

void init_class(void *entry, void *owner) {
    VC &e = *static_cast<VC *>(entry);
    const vrf_block &v = *static_cast<vrf_block *>(owner);
    set_node(e, v);
    e.vrfno = v.vrfno;
}

const entry_def class_entry = vrf_entry(vrfclasstokens, sizeof(VC), init_class);

int after_description(block_reader &r, const keyword_rule &, void *) {
    if (r.keys->found("DESCRIPTION")) return 0;
    return r.fail("Error: DESCRIPTION needs to be given before VRF @%d\n", Line);
}

// The new entry is the one that filters and route targets follow.
int file_class(block_reader &, const keyword_rule &, void *entry, void *owner) {
    vrf_block &v = *static_cast<vrf_block *>(owner);
    v.current = static_cast<VC *>(entry);
    append_record(prvrfclass, v.current);
    v.targetseq = 1;
    ++v.vrfno;
    return 0;
}

// ---- MEMBERFILTER ----

using VM = vrf_member_filter_rec;

constinit keyword_table_of vrfmemberfiltertokens{{
                                                     vrf_key("VARIABLENAME", 100, NDL_TEXT(VM, variablename)),
                                                     vrf_key("VARIABLEVALUE", 100, NDL_TEXT(VM, variablevalue)),
                                                     MCAST_PUNCTUATION,
                                                 },
                                                 kVrfList};

void init_filter(void *entry, void *owner) {
    VM &e = *static_cast<VM *>(entry);
    const vrf_block &v = *static_cast<vrf_block *>(owner);
    set_node(e, v);
    e.vrfclass = v.current->vrfclass;
}

const entry_def filter_entry = vrf_entry(vrfmemberfiltertokens, sizeof(VM), init_filter);

template <const char *Msg>
int after_vrf(block_reader &r, const keyword_rule &, void *owner) {
    if (static_cast<vrf_block *>(owner)->current) return 0;
    return r.fail(Msg, Line);
}
constexpr char kFilterOrderMsg[] = "Error: VRF needs to be given before MEMBERFILTER @%d\n";
constexpr char kTargetOrderMsg[] = "Error: VRF needs to be given before ROUTETARGET @%d\n";

int file_filter(block_reader &, const keyword_rule &, void *entry, void *) {
    append_record(prvrfmemberfilter, static_cast<VM *>(entry));
    return 0;
}

// ---- ROUTETARGET ----

using VT = vrf_route_target_rec;

constinit keyword_table_of vrfroutetargettokens{{
                                                    vrf_key("REPEATBY", 100, NDL_TEXT(VT, repeatby)),
                                                    vrf_key("TYPE", 100, NDL_TEXT(VT, type)),
                                                    vrf_key("POLICY", 100, NDL_TEXT(VT, policy)),
                                                    MCAST_PUNCTUATION,
                                                },
                                                kVrfList};

void init_target(void *entry, void *owner) {
    VT &e = *static_cast<VT *>(entry);
    const vrf_block &v = *static_cast<vrf_block *>(owner);
    set_node(e, v);
    e.vrfclass = v.current->vrfclass;
    e.sequence = v.targetseq;
}

const entry_def target_entry = vrf_entry(vrfroutetargettokens, sizeof(VT), init_target);

int file_target(block_reader &, const keyword_rule &, void *entry, void *owner) {
    append_record(prvrfroutetarget, static_cast<VT *>(entry));
    ++static_cast<vrf_block *>(owner)->targetseq;
    return 0;
}

// ---- the block ----

constexpr keyword_rule entry_row(const char *name, const entry_def &def, entry_file file, attr_check before,
                       bool repeatable) {
    return {.name = name, .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = repeatable,
            .before = before, .entry = &def, .file = file};
}

constinit keyword_table_of vrftokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        entry_row("DESCRIPTION", description_entry, file_description, nullptr, false),
        entry_row("VRF", class_entry, file_class, after_description, true),
        entry_row("MEMBERFILTER", filter_entry, file_filter, after_vrf<kFilterOrderMsg>, true),
        entry_row("ROUTETARGET", target_entry, file_target, after_vrf<kTargetOrderMsg>, true),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "Error: Invalid attribute name : %s @%d\n",
     .dup_msg = kDupMsg,
     .dup_err = on_error::fail,
     .error_ends = true}};

// An unknown domain or node type is reported and the block read on.
const header_spec kVrfHeader{
    .domain_msg = "Error: domain undefined: '%s' @ %d \n",
    .dot_msg = "Error: '.' expected as a qualifer for node type @ %d\n",
    .dot_line_only = true,
    .node_msg = "Error: Invalid node . Not defined : %s  @%d\n",
    .process_msg = nullptr,
    .number_msg = nullptr,
    .number_named = false,
    .mo_msg = nullptr,
    .begin_msg = "Error: Keyword 'BEGIN' expected : %s @%d\n",
    .lenient = true,
    // As the shared domain-node reader has it: the end of the file is an
    // undefined domain, then the missing ".".
    .eof_is_name = true,
};

}  // namespace

int parse_vrf(FILE *fp, FILE *, const char *) {
    block_reader r(fp, vrftokens, kRoutingEofMsg);
    vrf_block v{};
    start_block(v.b, "VRF");
    v.vrfno = 1;
    v.targetseq = 1;
    return read_header(r, kVrfHeader, v.b) || read_attributes(r, &v) ? 1 : 0;
}

namespace {

constexpr block_rule vrf_rules[] = {
    kNodeTypeNameRule,
    {.text = "It is read and checked, and nothing of it is stored: no table of the repository holds a VRF"}};

const block_doc vrf_doc = node_block_doc("DOMAIN.TYPE BEGIN",
                                         "VRF NORTH.PE BEGIN\n"
                                         "END\n",
                                         vrf_rules);

}  // namespace

block_keys vrf_keys() { return {&vrftokens, nullptr, &vrf_doc}; }
