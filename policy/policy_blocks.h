// The block parsers of the FIREWALL and QOS sections and what they share
// among themselves. Every block parser has the driver's signature: it is
// called after its block keyword, returns 0 when the block was read to its
// END (errors may have been flagged) and 1 after an error that stopped it
// (logged, g_error set, the token kept for skip_block).
#ifndef NDL_POLICY_BLOCKS_H
#define NDL_POLICY_BLOCKS_H

#include <cstdio>

#include "block.h"
#include "policy.h"
#include "records_policy.h"

// ---- access lists ----

// One access-list description, from the "=" after DESCRIPTION to its ")",
// appended to prdomainaccesslist. In the ACCESSLIST block (embedded 0) it
// empties the three context buffers (301 bytes each) and raises *sequence
// by one; inside a QoS policy (embedded 1) the contexts and the sequence are
// the caller's and owner, usage and direction come from `templ`. 0 read, 1
// stopped (reported).
int extract_description(FILE *fp, const char *domainname, const char *nodetype, int *sequence,
                        char *context1, char *context2, char *context3,
                        const domain_access_list_rec *templ, int embedded);
// One entry of the description numbered `sequence`, from the "=" after
// FORMAT to its ")": raises *count (its subsequence) and files an address
// entry (prdomainacllist) or a network entry (prdomainextacl) by *kind: 2
// not yet known, 1 address entries, 0 network entries; the first entry
// keyword of a description decides it for all its entries. 0 read, 1
// stopped (reported).
int extract_format(FILE *fp, const char *domainname, const char *nodetype, int sequence, int *count,
                   int *kind, const char *context1, const char *context2, const char *context3);

// The queue group name of the QoS policy being read, empty when none: its
// own access lists (usage QOSPOLICY) are found only while it is read.
extern const char *g_policyname;

#endif
