// What the FIREWALL and QOS sections offer the other sections: the
// route-policy reference checks and the lookups of access lists and match
// rules.
#ifndef NDL_POLICY_POLICY_H
#define NDL_POLICY_POLICY_H

#include <cstdint>
#include <cstdio>

#include "sections.h"

// The section dispatchers (registered with the driver).
int parsefirewallsec(FILE *fp, FILE *loadfp);
int parseqossec(FILE *fp, FILE *loadfp);

// The ACCESSLIST block, after its keyword; it stands in the FIREWALL, QOS
// and ROUTING sections (the usages it accepts are the current section's).
// 0 read to its END (errors may be flagged), 1 stopped (reported).
int parse_accesslist(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// The route-policy blocks of the ROUTING section, after their keywords: 0
// read to END (errors may be flagged), 1 stopped (reported).
int parse_routemap(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_prefixlist(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
// ASNLIST (`listtype` "ASN") and COMMUNITYLIST ("COMMUNITY").
int parse_asncommlist(FILE *fp, FILE *loadfp, const char *listtype);
int parse_domainmapclass(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// Missing route maps, filter and prefix lists referred to by routing records:
// warnings only; run at the end of a ROUTING section.
int validate_filters();
// Missing access lists referred to by routing records: warnings only; run
// after the last file when a ROUTING, FIREWALL or QOS section was parsed.
int validate_aclfilters();
// Every QoS policy named by a customer type is defined: 1, else 0 with its
// message logged; run at the end of a QOS section.
int validate_custpolicies();
// An access list of that name (or start number) for the node type under the
// reference's contexts (any context when `flag` is nonzero or the name holds
// no variable): 1, else 0.
int validate_accesslistexists(const char *domainname, const char *nodetype, const char *context1,
                              const char *context2, const char *context3, const char *aclname,
                              int flag);
// A route map (prefix list) of that name for the node type under the
// reference's contexts, matched as access lists are: 1, else 0.
int validate_routemapexists(const char *domainname, const char *nodetype, const char *context1,
                            const char *context2, const char *context3, const char *name, int flag);
int validate_prefixlistexists(const char *domainname, const char *nodetype, const char *context1,
                              const char *context2, const char *context3, const char *name, int flag);
// A filter list of type "ASN" or "COMMUNITY" with that start text: 1, else 0.
int validate_filterlistexists(const char *domainname, const char *nodetype, const char *name,
                              const char *listtype);
// The first route map of that name: its contexts and repeatby (301 bytes
// each) copied out, 1; 0 when there is none (outputs untouched).
int get_routemapcontext(const char *domainname, const char *nodetype, const char *name, char *context1,
                        char *context2, char *context3, char *repeatby);
// A match rule of that name for the node type whose first entry is
// `kind` (callers pass 1): 1, else 0.
int matchrule_exists(const char *domainname, const char *nodetype, const char *rulename,
                     int32_t kind);

// The keywords of the blocks above, for the dispatch rows.
// The same table in each section, each with its own example.
block_keys accesslist_keys();
block_keys firewall_accesslist_keys();
block_keys qos_accesslist_keys();
block_keys routemap_keys();
block_keys prefixlist_keys();
block_keys asncommlist_keys();
block_keys domainmapclass_keys();

#endif
