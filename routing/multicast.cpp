// What the multicast blocks share: the block frame (header, body,
// declaration at END) and the checks their sub-block readers make.
#include <cstring>

#include "database.h"
#include "multicast.h"
#include "validations.h"

const char kMcastEqualMsg[] = "Error: Invalid syntax '=' expected @ %d\n";
const char kMaxGivenMsg[] = "ERROR: Maximum of three contexts can be given: @ %d\n";
const char kInterfaceMsg[] = "Error: Interfacename  expected: %s @ %d\n";

void start_mcast(mcast_block &m, const char *protocol) {
    start_block(m.b, protocol);
    for (int32_t &s : m.seq) s = 1;
    m.msdp = msdp_class_rec{};
}

int read_mcast(block_reader &r, mcast_block &m, const header_spec &h) {
    if (read_header(r, h, m.b) || read_attributes(r, &m)) return 1;
    if (!declare_protocol(m.b, "1"))
        return r.fail("Error: Protocl %s has already been defined for %s:%s @%d\n", m.b.protocol, m.b.domainname,
                      m.b.nodetype, Line);
    return 0;
}

int parse_mcast(FILE *fp, keyword_table &keys, const char *protocol) {
    block_reader r(fp, keys, kRoutingEofMsg);
    mcast_block m;
    start_mcast(m, protocol);
    return read_mcast(r, m, kLabelHeader);
}

// ---- checks ----

int kind_of(const char *domainname, const char *nodetype, const char *c1, const char *c2, const char *c3,
            const char *value) {
    int kind = 0, type = 0;
    if (!check_addrandvars(domainname, nodetype, c1, c2, c3, value, &kind, &type)) return -1;
    return kind;
}

int interface_or_fail(block_reader &r, const char *domainname, const char *nodetype, const char *c1,
                      const char *c2, const char *c3, const char *value, const char *msg, const char *shown) {
    int kind = kind_of(domainname, nodetype, c1, c2, c3, value);
    if (kind < 0) return fail_pending(r);
    if (kind != 2) return r.fail(msg, shown, Line);
    return 0;
}

int numeric_or_fail(block_reader &r, const char *domainname, const char *nodetype, const char *c1,
                    const char *c2, const char *c3, const char *value, const char *msg, const char *shown) {
    if (validate_numberfunction(domainname, nodetype, c1, c2, c3, value)) return 0;
    return r.fail(msg, shown, Line);
}

int mcast_mandatory(block_reader &r, const char *tablename, const char *fmt) {
    return r.check_mandatory(tablename, fmt, Line) ? 0 : 1;
}

void null_marker_empty(std::initializer_list<std::reference_wrapper<text_field<kText>>> fields) {
    for (text_field<kText> &f : fields)
        if (std::strcmp(f, "IS NULL") == 0) f.clear();
}
