// Our own OCI subset over the embedded repository (SQLite).
// Declares the handle types, constants and calls that the loader, the address
// library and the host use, with the argument lists they pass. The ocix_*
// calls at the end are this layer's own extensions (layouts, contexts);
// nothing in the deliverables but cfgload and the host calls them.
#ifndef NDL_OCI_H
#define NDL_OCI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define OCI_API __attribute__((visibility("default")))

typedef int32_t sword;
typedef int32_t sb4;
typedef uint32_t ub4;
typedef int16_t sb2;
typedef uint16_t ub2;
typedef int8_t sb1;
typedef uint8_t ub1;
typedef unsigned char text;
typedef unsigned char OraText;
typedef void dvoid;

typedef struct OCIEnv OCIEnv;
typedef struct OCIError OCIError;
typedef struct OCISvcCtx OCISvcCtx;
typedef struct OCIServer OCIServer;
typedef struct OCISession OCISession;
typedef struct OCIStmt OCIStmt;
typedef struct OCIDefine OCIDefine;
typedef struct OCISnapshot OCISnapshot;
typedef struct OCILobLocator OCILobLocator;
typedef struct OCIExtProcContext OCIExtProcContext;

/* statuses */
#define OCI_SUCCESS 0
#define OCI_SUCCESS_WITH_INFO 1
#define OCI_NEED_DATA 99
#define OCI_NO_DATA 100
#define OCI_ERROR (-1)
#define OCI_INVALID_HANDLE (-2)
#define OCI_STILL_EXECUTING (-3123)
#define OCI_CONTINUE (-24200)

/* modes and options */
#define OCI_DEFAULT 0
#define OCI_NTV_SYNTAX 1
#define OCI_FETCH_NEXT 2
#define OCI_CRED_RDBMS 1
/* The account is the one the repository's name or the environment gives
   (a server repository); the session's user name and password are unused. */
#define OCI_CRED_EXT 2
#define OCI_ONE_PIECE 0
#define SQLCS_IMPLICIT 1

/* external data types */
#define SQLT_INT 3
#define SQLT_STR 5

/* handle types */
#define OCI_HTYPE_ENV 1
#define OCI_HTYPE_ERROR 2
#define OCI_HTYPE_SVCCTX 3
#define OCI_HTYPE_STMT 4
#define OCI_HTYPE_DEFINE 6
#define OCI_HTYPE_SERVER 8
#define OCI_HTYPE_SESSION 9

/* descriptor types */
#define OCI_DTYPE_LOB 50

/* attributes */
#define OCI_ATTR_SERVER 6
#define OCI_ATTR_SESSION 7
#define OCI_ATTR_USERNAME 22
#define OCI_ATTR_PASSWORD 23

typedef sb4 (*OCICallbackLobRead)(dvoid *ctxp, const dvoid *bufp, ub4 len, ub1 piece);
typedef sb4 (*OCICallbackLobWrite)(dvoid *ctxp, dvoid *bufp, ub4 *lenp, ub1 *piece);

OCI_API sword OCIInitialize(ub4 mode, dvoid *ctxp,
                            dvoid *(*malocfp)(dvoid *ctxp, size_t size),
                            dvoid *(*ralocfp)(dvoid *ctxp, dvoid *memptr, size_t newsize),
                            void (*mfreefp)(dvoid *ctxp, dvoid *memptr));
/* Running out of memory: a call given an error handle fails with OCI_ERROR
   and leaves "out of memory" for OCIErrorGet, its state as before the call.
   The allocation calls have no error handle: OCIEnvInit returns OCI_ERROR
   only when memory ran out (or extra user memory was asked for);
   OCIHandleAlloc, OCIDescriptorAlloc and ocix_context_create (null) leave
   why they failed with the environment, for OCIErrorGet on it with type
   OCI_HTYPE_ENV. Freeing never fails for want of memory. */
OCI_API sword OCIEnvInit(OCIEnv **envp, ub4 mode, size_t xtramem_sz, dvoid **usrmempp);
OCI_API sword OCIHandleAlloc(const dvoid *parenth, dvoid **hndlpp, ub4 type,
                             size_t xtramem_sz, dvoid **usrmempp);
OCI_API sword OCIHandleFree(dvoid *hndlp, ub4 type);
OCI_API sword OCIServerAttach(OCIServer *srvhp, OCIError *errhp, const text *dblink,
                              sb4 dblink_len, ub4 mode);
OCI_API sword OCIAttrSet(dvoid *trgthndlp, ub4 trghndltyp, dvoid *attributep, ub4 size,
                         ub4 attrtype, OCIError *errhp);
OCI_API sword OCISessionBegin(OCISvcCtx *svchp, OCIError *errhp, OCISession *usrhp,
                              ub4 credt, ub4 mode);
OCI_API sword OCISessionEnd(OCISvcCtx *svchp, OCIError *errhp, OCISession *usrhp, ub4 mode);
OCI_API sword OCITransCommit(OCISvcCtx *svchp, OCIError *errhp, ub4 flags);
OCI_API sword OCITransRollback(OCISvcCtx *svchp, OCIError *errhp, ub4 flags);

OCI_API sword OCIStmtPrepare(OCIStmt *stmtp, OCIError *errhp, const text *stmt, ub4 stmt_len,
                             ub4 language, ub4 mode);
OCI_API sword OCIDefineByPos(OCIStmt *stmtp, OCIDefine **defnp, OCIError *errhp, ub4 position,
                             dvoid *valuep, sb4 value_sz, ub2 dty, dvoid *indp, ub2 *rlenp,
                             ub2 *rcodep, ub4 mode);
OCI_API sword OCIStmtExecute(OCISvcCtx *svchp, OCIStmt *stmtp, OCIError *errhp, ub4 iters,
                             ub4 rowoff, const OCISnapshot *snap_in, OCISnapshot *snap_out,
                             ub4 mode);
OCI_API sword OCIStmtFetch(OCIStmt *stmtp, OCIError *errhp, ub4 nrows, ub2 orientation,
                           ub4 mode);
OCI_API sword OCIErrorGet(dvoid *hndlp, ub4 recordno, text *sqlstate, sb4 *errcodep,
                          text *bufp, ub4 bufsiz, ub4 type);

OCI_API sword OCIDescriptorAlloc(const dvoid *parenth, dvoid **descpp, ub4 type,
                                 size_t xtramem_sz, dvoid **usrmempp);
OCI_API sword OCIDescriptorFree(dvoid *descp, ub4 type);
OCI_API sword OCILobRead(OCISvcCtx *svchp, OCIError *errhp, OCILobLocator *locp, ub4 *amtp,
                         ub4 offset, dvoid *bufp, ub4 bufl, dvoid *ctxp,
                         OCICallbackLobRead cbfp, ub2 csid, ub1 csfrm);
OCI_API sword OCILobWrite(OCISvcCtx *svchp, OCIError *errhp, OCILobLocator *locp, ub4 *amtp,
                          ub4 offset, dvoid *bufp, ub4 buflen, ub1 piece, dvoid *ctxp,
                          OCICallbackLobWrite cbfp, ub2 csid, ub1 csfrm);
OCI_API sword OCILobGetLength(OCISvcCtx *svchp, OCIError *errhp, OCILobLocator *locp,
                              ub4 *lenp);
OCI_API sword OCILobTrim(OCISvcCtx *svchp, OCIError *errhp, OCILobLocator *locp, ub4 newlen);

/* The external-procedure context call. */
OCI_API sword ociepgoe(OCIExtProcContext *with_context, OCIEnv **envh, OCISvcCtx **svch,
                       OCIError **errh);
#define OCIExtProcGetEnv ociepgoe

/* ---- extensions of this layer ---- */

/* Repository layouts: the versioned one that cfgproc reads and writes, and
   the older unversioned one that cfgload writes. A new database gets the
   expected layout's schema at session begin; a database of the other layout
   is refused there. */
#define OCIX_LAYOUT_VERSIONED 1
#define OCIX_LAYOUT_UNVERSIONED 2
// What the error of a commit whose outcome could not be settled says.
#define OCIX_COMMIT_UNKNOWN "whether the transaction was stored cannot be known"
/* The error codes (OCIErrorGet) that tell how a commit whose answer was lost
   or whose sync failed was settled: with OCI_ERROR, whether it was stored
   cannot be known; with OCI_SUCCESS_WITH_INFO, it was read back as stored.
   A caller tells its own status by them, never by the message's words. */
#define OCIX_ERR_COMMIT_UNKNOWN 30011
#define OCIX_INFO_COMMIT_READ_BACK 30012
OCI_API void ocix_expect_layout(int layout);

/* A context carrying a session's handles, as the agent hands it to an
   external procedure. */
OCI_API OCIExtProcContext *ocix_context_create(OCIEnv *envh, OCISvcCtx *svch, OCIError *errh);
OCI_API void ocix_context_free(OCIExtProcContext *ctx);

/* Writes the layer still has on their way (rows streamed to a server) are
   finished: OCI_ERROR with the error of the statement that failed among
   them, else OCI_SUCCESS. A writer calls it before it moves on from a
   table, so that a failure is reported against that table. */
OCI_API sword ocix_sync(OCISvcCtx *svchp, OCIError *errhp);

/* OCIStmtExecute's mode for a query (no iterations) whose result the
   caller asks for later with ocix_stmt_result, before its first fetch:
   queries deferred one after the other go to a server together and are
   answered in one round trip. Each is answered as if it had run alone at
   its execute; a failure is reported by its own ocix_stmt_result. */
#define OCIX_DEFERRED 0x40000000u
OCI_API sword ocix_stmt_result(OCISvcCtx *svchp, OCIStmt *stmtp, OCIError *errhp);
/* Whether deferred queries share their round trips (*together 1: a
   server), or each runs at its result anyway (0: a file), where keeping
   many open at once only costs. */
OCI_API sword ocix_deferral(OCISvcCtx *svchp, OCIError *errhp, int *together);

/* Overwrites in place every password a repository's name holds (a URI's
   user info or password= parameter, a keyword/value password=, after
   "pg:" too): the programs hide it in their argument vector once read. */
OCI_API void ocix_hide_password(char *name);

/* The letters of a repository's texts. A SQLite file, and a server
   database in SQL_ASCII, keep the bytes they are given (OCIX_LETTERS_BYTES);
   any other server database keeps letters, in its own encoding: every one
   (UTF8: OCIX_LETTERS_ALL), those of Latin-1 (LATIN1: OCIX_LETTERS_LATIN1),
   or those its encoding holds (OCIX_LETTERS_OTHER: the server refuses the
   rest). There the caller says how its texts are written, UTF-8 (the
   default of every logon) or Latin-1, for what it sends and what it reads
   back, from the next statement on. */
#define OCIX_LETTERS_BYTES 0
#define OCIX_LETTERS_ALL 1
#define OCIX_LETTERS_LATIN1 2
#define OCIX_LETTERS_OTHER 3
#define OCIX_TEXT_UTF8 0
#define OCIX_TEXT_LATIN1 1
OCI_API sword ocix_repository_letters(OCISvcCtx *svchp, OCIError *errhp, int *letters);
OCI_API sword ocix_text_encoding(OCISvcCtx *svchp, OCIError *errhp, int encoding);

/* CLOB content access for the host (no handles needed). */
OCI_API const char *ocix_lob_text(const OCILobLocator *locp, ub4 *lenp);

#ifdef __cplusplus
}
#endif

#endif
