// QOS-SERVICE-ENROLLVAR: the variables that a service enrolment asks for,
// read with the topology's VARIABLE reader; and the check, at the end of a
// QOS section, that every QoS policy a customer type names is defined.
#include <cstring>

#include "lookup.h"
#include "policy_blocks.h"
#include "records_customer.h"
#include "topology.h"

namespace {

struct enroll_block {
    int32_t sequence;  // of the next variable; restarts with each block
};

int file_enrollvar(block_reader &r, const keyword_rule &, void *entry, void *owner) {
    var_def *def = static_cast<var_def *>(entry);
    enroll_block &b = *static_cast<enroll_block *>(owner);
    if (!validate_servenrollvar(def->name)) {
        free_record(def);
        return fail_pending(r);
    }
    auto *rec = alloc_record<service_enroll_var_rec>();
    rec->networkid = networkid;
    rec->sequence = b.sequence++;
    fill_variable_record(*def, rec);
    free_record(def);
    prqosservenrollvar.append(rec);
    return 0;
}

constinit keyword_table_of QOSserviceenroll_vartokens{
    {token_row("BEGIN", TOKEN_BEGIN),
     {.name = "VARIABLE", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
      .entry = &variable_entry, .file = file_enrollvar},
     token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL),
     token_row("END", TOKEN_END)},
    // The end of the file ends the block as END would: never accepted.
    {.invalid_msg = "ERROR : Invalid Input : %s @%d\n", .eof_ends = true, .error_ends = true}};

}  // namespace

namespace {

lookup::keyed_index<service_enroll_var_rec, &service_enroll_var_rec::variablename> enrollvars_by_name(
    prqosservenrollvar);
lookup::keyed_index<qos_policy_class_rec, &qos_policy_class_rec::policyname> policies_by_name(
    prqospolicydesclist);

}  // namespace

int validate_servenrollvar(const char *name) {
    if (!enrollvars_by_name.find(name)) return 1;
    setmsg("Error: duplicate serviceenroll variablename : '%s' @ %d\n ", name, Line);
    return 0;
}

int parse_serviceenrollvar(FILE *fp, FILE *, const char *) {
    block_reader r(fp, QOSserviceenroll_vartokens);
    if (!r.expect("BEGIN", "ERROR : Keyword 'BEGIN' expected: %s @ %d \n")) return 1;
    enroll_block b{1};
    return read_attributes(r, &b);
}

int validate_custpolicies() {
    for (const cust_conn_type_rec *t = prcustconntypes; t; t = t->next)
        for (const cust_conn_qos_policy_rec *q = t->qospolicylist; q; q = q->next) {
            if (!policies_by_name.find(q->policyname)) {
                logmsg("ERROR: QOS policy '%s' referred by a customer type is not defined in QOS section\n",
                       q->policyname.c_str());
                return 0;
            }
        }
    return 1;
}

namespace {

constexpr block_unique enrollvar_unique[] = {
    {.what = "A VARIABLE's NAME", .within = "the network (every QOS-SERVICE-ENROLLVAR block)",
     .message = "Error: duplicate serviceenroll variablename : '%s' @ %d\n ", .part = "BEGIN\n",
     .again = "  VARIABLE = ( NAME = ACCESSBANDWIDTH , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE ,\n"
              "               MINVALUE = 64 , MAXVALUE = 100000 )\n"
              "  VARIABLE = ( NAME = ACCESSBANDWIDTH , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE ,\n"
              "               MINVALUE = 64 , MAXVALUE = 100000 )\n"},
};

const block_doc enrollvar_doc{.header = "BEGIN",
                              .example = "QOS-SERVICE-ENROLLVAR BEGIN\n"
                                         "END\n",
                              .unique = enrollvar_unique};

}  // namespace

block_keys serviceenrollvar_keys() { return {&QOSserviceenroll_vartokens, nullptr, &enrollvar_doc}; }
