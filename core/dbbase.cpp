// The parts of the database layer that every reader, writer and the run
// driver share: the handle set, OCI status reports, and quoting.
#include <cstring>
#include <initializer_list>

#include "database.h"
#include "runstate.h"

OCIEnv *envhp;
OCISvcCtx *svchp;
OCIError *errhp;
OCIStmt *stmthp;
OCIStmt *stmthp1;
OCIDefine *defnp;

int g_loaderror;
char g_tablename[100];
int g_ndlversion;

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

sword cleanup() {
    // The environment belongs to the caller of the library: forget it, never
    // free it.
    envhp = nullptr;
    return OCI_SUCCESS;
}

void locstrcpy(char *dst, size_t size, const char *src) {
    if (std::strcmp(src, "IS NULL") == 0) src = "";
    size_t n = std::strlen(src);
    if (n >= size) n = size - 1;
    std::memcpy(dst, src, n);
    dst[n] = '\0';
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

int clear_structures(const char *section) {
    bool all = overwritedata != 0;
    if (std::strcmp(section, "TOPOLOGY") == 0) {
        releasememory(all ? "ALL" : "TOPOLOGY");
    } else if (std::strcmp(section, "CUSTOMER") == 0) {
        if (all)
            for (const char *group : {"ROUTING", "FIREWALL", "QOS", "ACCESSLIST"}) releasememory(group);
        releasememory("CUSTOMER");
    } else if (std::strcmp(section, "ROUTING") == 0 || std::strcmp(section, "FIREWALL") == 0 ||
               std::strcmp(section, "QOS") == 0) {
        releasememory(section);
    }
    return 0;
}
