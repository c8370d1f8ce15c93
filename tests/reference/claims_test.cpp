// What the reference says the loader takes, held against loads of files
// under tests/data/reference: values left out take what the keyword rows
// say; command values are checked only in their <...> parts; interface
// names are not held to the node type's interfaces, though the multicast
// blocks want an interface function; and the reference checks warn at the
// end of the ROUTING section or after the last file, as the log shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "block.h"
#include "driver.h"
#include "repo_test.h"
#include "sections.h"

namespace {

const std::string kData = std::string(NDL_TEST_DATA) + "/reference";

using Rows = std::vector<std::string>;

// The row of KEYWORD in block BLOCK's table, or in the entry of the row
// ENTRY of it.
const keyword_rule *row_of(const char *block, const char *keyword, const char *entry = nullptr) {
    for (int i = 0; const char *name = section_name(i); ++i) {
        const section_def *def = registered_section(name);
        if (!def || !def->blocks) continue;
        for (const block_entry *b = def->blocks; b->kind; ++b) {
            if (std::string(b->keyword) != block || !b->keys) continue;
            const keyword_table *table = b->keys().table;
            if (entry) {
                const keyword_rule *owner = table->row(entry);
                if (!owner || !owner->entry) return nullptr;
                table = owner->entry->keys;
            }
            return table->row(keyword);
        }
    }
    return nullptr;
}

std::string unset_of(const char *block, const char *keyword, const char *entry = nullptr) {
    const keyword_rule *rule = row_of(block, keyword, entry);
    EXPECT_NE(rule, nullptr) << block << " " << keyword;
    return rule && rule->unset ? rule->unset : "<none>";
}

class ReferenceClaims : public RepoTest {
protected:
    void load_topology() {
        ASSERT_EQ(parse(kData, "topology.ndl").ret, 0) << log;
        EXPECT_EQ(log.find("ERROR"), std::string::npos) << log;
    }
    std::string file_line(const std::string &name) { return "\n --- FILE:  " + kData + "\\" + name + " --- \n<br>"; }
};

TEST_F(ReferenceClaims, KeywordsLeftOutTakeWhatTheirRowsSay) {
    load_topology();
    EXPECT_EQ(rows("SELECT securitygroup FROM networks"), Rows{unset_of("NETWORK", "SECURITYGROUP")});
    EXPECT_EQ(rows("SELECT maxconn FROM domainconntypes"), Rows{unset_of("CONNECTIONTYPE", "MAXCONNECTIONS")});
    EXPECT_EQ(rows("SELECT DISTINCT nattype || '|' || authserver FROM domainfixedconn"),
              Rows{unset_of("CONNECTIONTYPE", "NATTYPE", "MEMBER") + "|" +
                   unset_of("CONNECTIONTYPE", "AUTHSERVER", "MEMBER")});
    EXPECT_EQ(rows("SELECT authenticationtype FROM domaininttypes"),
              Rows{unset_of("CONNECTIONTYPE", "AUTHTYPE", "INTERFACETYPES")});
    EXPECT_EQ(rows("SELECT pathmode || '|' || pathtype || '|' || maxconn FROM vcclass"),
              Rows{unset_of("LOGICAL-PATH", "MODE") + "|" + unset_of("LOGICAL-PATH", "PATHTYPE") + "|" +
                   unset_of("LOGICAL-PATH", "MAXCONN")});
    EXPECT_EQ(rows("SELECT validation FROM pooltypes"), Rows{unset_of("POOL-TYPE", "VALIDATION", "TYPE")});
    // And they are the values the loader's own description gives.
    EXPECT_EQ(rows("SELECT securitygroup, (SELECT maxconn FROM domainconntypes) FROM networks"), Rows{"ALL|99999"});
}

// ASN, CLUSTERID, REMOTEAS and OSPF's default METRIC take literal text as
// written; interface names are not looked up in the node type's loopbacks;
// a missing prefix or AS-path list warns when the ROUTING section ends, a
// missing access list under the global validations.
TEST_F(ReferenceClaims, RoutingValuesAndReferenceWarnings) {
    load_topology();
    ASSERT_EQ(parse(kData, "routing.ndl").ret, 0) << log;
    EXPECT_EQ(log, file_line("routing.ndl") +
                       "WARNING: FILTERLIST used for BGP FILTERLIST-IN not defined ::\nDomainname:  D\nNodeType:  R\n"
                       "FilterListName: 77\n<br>"
                       "WARNING: PREFIXLIST used for BGP PREFIXLIST-IN not defined ::\nDomainname:  D\nNodeType:  R\n"
                       "PrefixListName: NO-SUCH-PL\n<br>"
                       "<left>---- Global Validations ----</left><br>"
                       "WARNING: ACL used for DISTRIBUTE LIST not defined :\nDomainname:  D\nNodeType:  R\n"
                       "ACLName: NO-SUCH-ACL\n<br>"
                       "files  successfully loaded \n<br>");
    EXPECT_EQ(rows("SELECT protocol, asn, clusterid FROM domainprotocols WHERE protocol = 'BGP'"),
              Rows{"BGP|sixtyfour|LOCALVAR(NOSUCHVAR)"});
    EXPECT_EQ(rows("SELECT remoteas FROM domainbgpinfo"), Rows{"any text"});
    EXPECT_EQ(rows("SELECT metric FROM domainospfdefault"), Rows{"ten"});
    EXPECT_EQ(rows("SELECT namedinterface FROM pimmemberclass"), Rows{"LOCALINT(INTERFACE.Loopback7)"});
}

// What is checked: a <...> part that does not resolve, and an interface
// written as a bare name.
TEST_F(ReferenceClaims, UnresolvedPartsAndBareInterfaceNamesAreRefused) {
    load_topology();
    const std::string exiting = "EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n<br>";
    struct Case {
        const char *file;
        std::string message;
    } cases[] = {
        {"bgp_unresolved.ndl", "ERROR : Invalid node/domain/connection attribute  : NOSUCHVAR @2 \n<br>"},
        {"pim_bare_name.ndl", "ERROR : Function name expected : Ethernet0 @ 3\n<br>"},
        {"igmp_bare_name.ndl", "ERROR : Function name expected : Ethernet0 @ 3\n<br>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(parse(kData, c.file).ret, 2);
        EXPECT_EQ(log, file_line(c.file) + c.message + exiting);
    }
    EXPECT_EQ(rows("SELECT count(*) FROM domainprotocols"), Rows{"0"});
}

}  // namespace
