// Filter lists of connections (the variables the member nodes of a
// connection type must share, and the remote-node conditions of a customer
// interface) and the lookups the customer blocks make in the topology.
#include <cstring>

#include "lookup.h"
#include "records_customer.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

lookup::keyed_index<domain_conn_filter_rec, &domain_conn_filter_rec::connectionno,
                    &domain_conn_filter_rec::variablename>
    filters_by_name(prdomconnfilters);
lookup::keyed_index<domain_conn_filter_rec, &domain_conn_filter_rec::connectionno> filters_by_connection(
    prdomconnfilters);
using LB = cust_conn_node_lb_rec;
lookup::sub_index<cust_conn_node_rec, LB, &cust_conn_node_rec::loopbacklist, &LB::loopbacktype, &LB::nodeinstance,
                  &LB::lbinstance>
    loopbacks_of_node(prcustconnnodes);
using LI = domain_node_log_int_rec;
lookup::keyed_index<LI, &LI::domainname, &LI::nodetype, &LI::intno, &LI::inttype> logints_by_number(
    prdomainnodelogint);

// Variable names come back as words.
constinit keyword_table_of memberfiltertokens{{
    token_row("(", TOKEN_LPAREN),
    token_row(")", TOKEN_RPAREN),
    token_row("=", TOKEN_EQUAL),
}};

const char kListEndMsg[] = "ERROR: ',' or ')' expected : %s @ %d\n";

void file_connfilter(int connectionno, int sequence, const char *name) {
    domain_conn_filter_rec *rec = alloc_record<domain_conn_filter_rec>();
    rec->networkid = networkid;
    rec->connectionno = connectionno;
    rec->sequence = sequence;
    rec->variablename = name;  // at most 30 characters
    append_record(prdomconnfilters, rec);
}

}  // namespace

// Read by read_filter_names and extract_custconnfilters, not by read_entry.
const entry_def memberfilter_def{.keys = &memberfiltertokens};

int read_filter_names(FILE *fp, int connectionno, int (*known)(int connectionno, const char *name),
                      void (*file)(int connectionno, int sequence, const char *name)) {
    block_reader r(fp, *memberfilter_def.keys);
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected @ %d\n", false)) return 1;
    if (!r.expect("(", "ERROR: Invalid syntax '(' expected @ %d\n", false)) return 1;
    r.read();
    if (r.kind == TOKEN_RPAREN) return 0;
    for (int sequence = 1;; ++sequence) {
        if (r.kind != TOKEN_WORD)
            return r.fail("ERROR: Invalid token, variable name expected : %s @ %d\n", r.tok, Line);
        if (std::strlen(r.tok) > static_cast<size_t>(kMemberFilterMax))
            return r.fail("ERROR: Token exceed maximum size: '%s' @ %d\n", r.tok, Line);
        if (known(connectionno, r.tok)) r.flag("ERROR: Duplicate MEMBERFILTER variable: '%s' @ %d\n", r.tok, Line);
        file(connectionno, sequence, r.tok);
        r.read();
        if (r.kind == TOKEN_RPAREN) return 0;
        if (!r.is(",")) return r.fail(kListEndMsg, r.tok, Line);
        r.read();
    }
}

int validate_domainconnfilters(int connectionno, const char *name) {
    return filters_by_name.find(connectionno, name) ? 1 : 0;
}

domain_conn_filter_rec *first_filter(int connectionno) { return filters_by_connection.find(connectionno); }

int extract_memberfilters(FILE *fp, int connectionno) {
    return read_filter_names(fp, connectionno, validate_domainconnfilters, file_connfilter);
}

int extract_custconnfilters(FILE *fp, int nodeinstance, int instanceno, const char *servicetype,
                            const char *conntypename, const char *connectionname, const char *domainname,
                            const char *nodetype) {
    int connlist[2] = {getconnidfromname(connectionname), 0};
    block_reader r(fp, *memberfilter_def.keys);
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected @ %d\n", false)) return 1;
    if (!r.expect("(", "ERROR: Invalid syntax '(' expected @ %d\n", false)) return 1;
    r.read();
    if (r.kind == TOKEN_RPAREN) return 0;
    for (;;) {
        char variable[kTokenSize];
        std::memcpy(variable, r.tok, sizeof variable);
        if (!r.expect("=", "ERROR: Invalid syntax '=' expected @ %d\n", false)) return 1;
        r.read_upper();
        if (std::strcmp(r.tok, "SAME") != 0 && std::strcmp(r.tok, "DIFFERENT") != 0)
            return r.fail("Variable value can be only SAME/DIFFERENT : %s @ %d\n", r.tok, Line);
        int type = 0;
        if (!validate_vars(domainname, nodetype, variable, "VAR", &type, connlist))
            return r.fail("Variable '%s' is not defined.  @ %d\n", variable, Line);
        cust_conn_filter_rec *rec = alloc_record<cust_conn_filter_rec>();
        rec->networkid = networkid;
        rec->servicetype = servicetype;
        rec->conntypename = conntypename;
        rec->nodetype = nodetype;
        rec->nodeinstance = nodeinstance;
        rec->connectionname = connectionname;
        rec->instanceno = instanceno;
        rec->remotevariablename = variable;  // a token fits the 300 characters
        rec->remotevarcondition = r.tok;
        append_record(prcustconnfilters, rec);
        r.read();
        if (r.kind == TOKEN_RPAREN) return 0;
        if (!r.is(",")) return r.fail(kListEndMsg, r.tok, Line);
        r.read();
    }
}

int validate_custconnlb(const cust_conn_node_lb_rec *first, const char *loopbacktype, int nodeinstance,
                        const char *lbinstance) {
    for (const cust_conn_node_lb_rec *lb = first; lb; lb = lb->next)
        if (!std::strcmp(lb->loopbacktype, loopbacktype) && lb->nodeinstance == nodeinstance &&
            !std::strcmp(lb->lbinstance, lbinstance))
            return 1;
    return 0;
}

int validate_nodeloopback(const cust_conn_node_rec *node, const char *loopbacktype, int nodeinstance,
                          const char *lbinstance) {
    return loopbacks_of_node.find(node, loopbacktype, nodeinstance, lbinstance) ? 1 : 0;
}

int validate_nodelogint(const char *domainname, const char *nodetype, const char *intno, const char *inttype) {
    return logints_by_number.find(domainname, nodetype, intno, inttype) ? 1 : 0;
}
