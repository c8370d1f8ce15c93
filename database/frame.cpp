// Loading control and what every reader, writer and the run driver share:
// the handle set, OCI status reports, quoting, the policy version and the
// section readers.
#include <cstring>

#include "database.h"
#include "runstate.h"
#include "table_desc.h"

OCIEnv *envhp;
OCISvcCtx *svchp;
OCIError *errhp;
OCIStmt *stmthp;
OCIStmt *stmthp1;
OCIDefine *defnp;

int g_loaderror;
char g_tablename[100];
int g_ndlversion;
cli_checks g_cli_checks;

void checkerr(OCIError *err, sword status) {
    switch (status) {
    case OCI_SUCCESS_WITH_INFO:
        logmsg("Error %s - OCI_SUCCESS_WITH_INFO\n", g_tablename);
        break;
    case OCI_NEED_DATA:
        logmsg("Error %s - OCI_NEED_DATA\n", g_tablename);
        g_loaderror = 1;
        break;
    case OCI_NO_DATA:
        logmsg("Error %s - OCI_NODATA\n", g_tablename);
        g_loaderror = 1;
        break;
    case OCI_ERROR: {
        char text[512] = "";
        sb4 code = 0;
        OCIErrorGet(err, 1, nullptr, &code, reinterpret_cast<OraText *>(text), sizeof text,
                    OCI_HTYPE_ERROR);
        text[sizeof text - 1] = '\0';
        logmsg("Error %s - %.*s\n", g_tablename, 512, text);
        cleanup();
        g_loaderror = 1;
        break;
    }
    case OCI_INVALID_HANDLE:
        logmsg("Error %s - OCI_INVALID_HANDLE\n", g_tablename);
        cleanup();
        g_loaderror = 1;
        break;
    case OCI_STILL_EXECUTING:
        logmsg("Error %s - OCI_STILL_EXECUTE\n", g_tablename);
        break;
    case OCI_CONTINUE:
        logmsg("Error %s - OCI_CONTINUE\n", g_tablename);
        break;
    default:
        break;
    }
}

void log_memory_cause(OCIError *err, sword status, const char *table) {
    if (status != OCI_ERROR) return;
    char text[512] = "";
    sb4 code = 0;
    OCIErrorGet(err, 1, nullptr, &code, reinterpret_cast<OraText *>(text), sizeof text, OCI_HTYPE_ERROR);
    text[sizeof text - 1] = '\0';
    if (std::strstr(text, "memory")) logmsg("Error %s - %s\n", table, text);
}

sword cleanup() {
    // The environment belongs to the caller of the library: forget it, never
    // free it. Nothing more of the run may reach the database, so the load
    // has failed.
    envhp = nullptr;
    g_loaderror = 1;
    return OCI_SUCCESS;
}

bool sql_quote(char *dst, size_t size, const char *src) {
    size_t n = 0;
    for (; *src; ++src) {
        size_t need = *src == '\'' ? 2 : 1;
        if (n + need >= size) {
            dst[0] = '\0';
            return false;
        }
        dst[n++] = *src;
        if (*src == '\'') dst[n++] = '\'';
    }
    dst[n] = '\0';
    return true;
}

int load_policyversion() {
    if (!ndldb::layout().versioned) {
        g_ndlversion = 0;
        return 1;
    }
    std::snprintf(g_tablename, sizeof g_tablename, "%s", "table POLICYVERSIONS");
    char sql[1000];
    std::snprintf(sql, sizeof sql,
                  "SELECT ndlversion FROM policyversions \t\t\t\t WHERE \t\t\t\t (networkid,ndlversion) \t\t\t\t "
                  "in \t\t\t\t (select networkid,max(ndlversion) \t\t\t\t\tfrom policyversions \t\t\t\t\twhere "
                  "\t\t\t\t\t\tnetworkid=%d \t\t\t\t\tgroup by networkid \t\t\t\t )",
                  networkid);
    auto fail = [] {
        g_tablename[0] = '\0';
        return -1;
    };
    if (!envhp) return fail();
    checkerr(errhp, OCIStmtPrepare(stmthp1, errhp, reinterpret_cast<const text *>(sql),
                                   static_cast<ub4>(std::strlen(sql)), OCI_NTV_SYNTAX, OCI_DEFAULT));
    if (!envhp) return fail();
    int version = 0;
    sword status =
        OCIDefineByPos(stmthp1, &defnp, errhp, 1, &version, 4, SQLT_INT, nullptr, nullptr, nullptr, OCI_DEFAULT);
    if (status != OCI_SUCCESS) {
        checkerr(errhp, status);
        cleanup();
        return fail();
    }
    status = OCIStmtExecute(svchp, stmthp1, errhp, 1, 0, nullptr, nullptr, OCI_DEFAULT);
    if (status == OCI_SUCCESS) {
        g_ndlversion = version;
    } else if (status == OCI_NO_DATA) {
        g_ndlversion = 0;
    } else {
        checkerr(errhp, status);
        cleanup();
        return fail();
    }
    g_tablename[0] = '\0';
    return 1;
}

namespace ndldb {

namespace {
const layout_rules &(*installed)() = nullptr;  // null: the library's
}  // namespace

const layout_rules &layout() {
    static const layout_rules library{kWriteOrder, kWriteOrderCount, nullptr, true, nullptr, nullptr};
    return installed ? installed() : library;
}
void install_layout(const layout_rules &(*rules)()) { installed = rules; }

// Runs the readers of one section in their order, stopping at the first
// after which the load has failed. A returning reader's list goes to its
// head even after a failure, which leaves the head empty.
int load_section(const read_section &section) {
    for (size_t i = 0; i < section.count; ++i) {
        const ndldb::read_step &step = section.steps[i];
        if (step.special) {
            step.special(*step.d, step.child);
        } else if (step.d->form == ndldb::form_returning) {
            ndldb::raw_list list;
            ndldb::read_table(*step.d, &list);
            step.d->list.set(list.head, list.tail);
        } else {
            ndldb::read_table(*step.d, nullptr);
        }
        if (g_loaderror == 1) return 0;
    }
    return g_loaderror == 1 ? 0 : 1;
}

}  // namespace ndldb

int retrieve_data() {
    if (ndldb::layout().retrieve) return ndldb::layout().retrieve();
    for (const ndldb::read_section &section : ndldb::kSections)
        if (!ndldb::load_section(section)) return 0;
    return 1;
}
