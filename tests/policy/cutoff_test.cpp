// Files that end inside a block of the route-policy, FIREWALL and QOS
// sections: one whole file cut at chosen places (between attributes, after
// a keyword, after "=", inside a list, after ",", where an entry or a
// nested block starts). Each cut is refused with the messages of the
// branch that meets the end, on the line where the file ends, and the
// stored rows stay as they were.
#include <cstring>

#include "policy_load.h"

using V = std::vector<std::string>;

namespace {

class CutOff : public TopoLoad {
protected:
    static constexpr const char *kPolicy = NDL_TEST_DATA "/policy";
    void SetUp() override {
        TopoLoad::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(load("network.ndl", "", kPolicy).ret, 0);
        whole = read_text(std::string(kPolicy) + "/cutoff.ndl");
    }
    // Every table the blocks of these sections write.
    V stored() {
        V all;
        for (const char *t : {"domainroutemap", "routemapmatchlist", "routemapsetlist", "domainprefixhdr",
                              "domainprefixlist", "domainfilterlist", "domainmapclass", "domainaccesslist",
                              "domainacllist", "domainextacl", "qosmatchruleclass", "qosmarkruleclass",
                              "qospoliceruleclass", "qospoliceactionclass", "qosshaperuleclass", "qosdropruleclass",
                              "qospolicyclass", "qossubqueueclass", "serviceenrollvars"})
            for (const std::string &row : dump_rows(t, "ORDER BY rowid"))
                all.push_back(std::string(t) + ": " + row);
        return all;
    }
    std::string whole;
};

// The file ends right after the first place where `after` stands.
struct Row {
    const char *after;
    V messages;
};

const Row kRows[] = {
    // ROUTEMAP: the head takes the end as an empty domain or node type.
    {"ROUTEMAP ", {"ERROR: Domain undefined  \n @4", "ERROR:  '.' expected as a qualifer for node type @ 4\n"}},
    {"ROUTEMAP D.", {"ERROR: Invalid node . Not defined :   @4\n", "ERROR: Keyword 'BEGIN' expected :  @4\n"}},
    {"ROUTEMAP D.PE\n", {"ERROR: Keyword 'BEGIN' expected :  @5\n"}},
    {"  DESCRIPTION = ( NAME = \"RM\" , ", {"ERROR: Invalid attribute name :  @ 6\n"}},
    {"( NAME = \"RM\" , USAGE = bgp , OWNER = ", {"ERROR: Specify routemap owner within quotes:  @ 6\n"}},
    {"  DESCRIPTION = ( NAME = ", {"ERROR: Specify map name within quotes:  @ 6\n"}},
    {"  DESCRIPTION ", {"ERROR: Invalid syntax '=' expected @ 6\n"}},
    {"  TYPE ", {"ERROR: Keyword '#' expected:  @7\n"}},
    {"  TYPE # ", {"route map sequence  number expected:   @7\n"}},
    {"  TYPE # 10 = ", {"ERROR: Invalid syntax '(' expected @ 7\n"}},
    {"REPEATBY = \"BYHOST()\" ", {"ERROR:',' or ')' expected :  @ 7\n"}},
    {"MAP-SEQINC = ", {"ERROR: Number expected for MAP-SEQINC field:  @ 7\n"}},
    {"MATCHNAME = \"metric\" , ", {"ERROR: Invalid attribute name :  @ 8\n"}},
    {"  SET # 10 = ( ", {"ERROR: Invalid attribute name :  @ 9\n"}},
    {"SETVALUE = \"7\" )\n", {"ERROR: Invalid attribute name :  @10\n"}},
    // PREFIXLIST
    {"PREFIXLIST ", {"ERROR: Domain undefined  \n @11", "ERROR : '.' expected as a qualifer for node type @ 11\n"}},
    {"PREFIXLIST D.PE\nBEGIN\n", {"ERROR: Invalid attribute name :  @13\n"}},
    {"PFX-NAME ", {"ERROR: Invalid syntax '=' expected :   @13\n"}},
    {"PFX-NAME = ", {"ERROR: Specify prefixlist name within quotes:  @ 13\n"}},
    {"( PFX-NAME = \"PL\" )\n  FORMAT = ", {"ERROR: Invalid syntax '(' expected :  @ 14\n"}},
    {"( PFX-NAME = \"PL\" )\n  FORMAT = ( TYPE = ", {"ERROR: permit/deny expected :  @ 14\n"}},
    {"PREFIX = ", {"ERROR:Number (1 to 32) expected :  @ 14\n"}},
    {"PREFIX = 8 )\n", {"ERROR: Invalid attribute name :  @15\n"}},
    // ASNLIST and COMMUNITYLIST
    {"ASNLIST ", {"ERROR: Domain undefined  \n @16", "ERROR:'.' expected as a qualifer for node type :  @ 16\n"}},
    {"ASNLIST D.PE\n", {"ERROR: Keyword 'BEGIN' expected :  @17\n"}},
    {"( FLT-SEQSTART = ", {"Error: Specify FLT-SEQSTART value within quotes:  @ 18\n"}},
    {"FLT-SEQSTART = 10 , FLT-SEQINC = ",
     {"ERROR : Specify increment number  for community/asn filter list number:  @ 18\n"}},
    {"SUBSTRING = \"_100_\" ", {"ERROR:',' or ')' expected :  @ 19\n"}},
    {"( TYPE = deny , ", {"ERROR: Invalid attribute name :  @ 24\n"}},
    {"SUBSTRING = \"65000:1\" )\n", {"ERROR: Invalid attribute name :  @25\n"}},
    // MAP-CLASS: an unknown domain or node type stops the block.
    {"MAP-CLASS ", {"ERROR: Domain undefined  \n @26"}},
    {"MAP-CLASS D.", {"ERROR: Invalid node . Not defined :   @26\n"}},
    {"NAME = \"FR\" , USAGE = ", {"ERROR: Invalid  name specified  for mapclass usage :  @ 28\n"}},
    {"OWNER = \"D.CE\" ", {"ERROR: ',' or ')' expected :  @ 28\n"}},
    {"  ATTRIBUTES ", {"ERROR: Invalid syntax '=' expected @ 29\n"}},
    {"  ATTRIBUTES = ( ", {"ERROR: Invalid attribute name :  @ 29\n"}},
    // An empty rate is no wrong number: the separator is missing.
    {"COMMITTEDRATEIN = ", {"ERROR : ',' or ')' expected :  @ 29\n"}},
    {"BURSTSIZEIN = 16 )\n", {"ERROR: Invalid attribute name :  @30\n"}},
    // ACCESSLIST of the FIREWALL section
    {"SECTION = FIREWALL\nACCESSLIST D.",
     {"ERROR: Invalid node . Not defined :   @32\n", "ERROR: Keyword 'BEGIN' expected :   @32\n"}},
    {"SECTION = FIREWALL\nACCESSLIST D.PE\nBEGIN\n", {"ERROR: Invalid attribute name :  @34\n"}},
    {"ACL-TYPE = standard , ", {"ERROR: Invalid attribute name :  @ 34\n"}},
    {"ACL-TYPE = standard , ACL-NAME = ", {"ERROR: Specify accesslist name within quotes:  @ 34\n"}},
    // An invalid usage reads on to the missing separator.
    {"\"MGMT\" , NAME-TYPE = STRING , USAGE = ",
     {"ERROR: Invalid usage attribute specified :  @ 34\n", "ERROR:',' or ')' expected :  @ 34\n"}},
    {"USAGE = snmp , OWNER = \"D.PE\" )\n  FORMAT ", {"ERROR: Invalid syntax '=' expected :  @ 35\n"}},
    {"SOURCE = \"LOCALIP(INTERFACE)\" ", {"ERROR:',' or ')' expected :  @ 35\n"}},
    {"SOURCE-PREFIX = ", {"ERROR:Number (1 to 32) expected :  @ 35\n"}},
    {"SOURCE-PREFIX = AUTO )\n", {"ERROR: Invalid attribute name :  @36\n"}},
    // QoS rule blocks: the qualifier, the block loop, the lists.
    {"QOSMATCHRULES ", {"Error: domain undefined: '' @ 38 \n", "Error: '.' expected as a qualifer for node type @ 38\n"}},
    {"QOSMATCHRULES D.", {"Error: Invalid node . Not defined :   @38\n", "Error: Keyword 'BEGIN' expected :  @38\n"}},
    {"QOSMATCHRULES D.PE BEGIN\n", {"Error: Invalid attribute name :  @39\n"}},
    {"( NAME = GOLD , ", {"invalid attribute in variable list:  @39\n"}},
    {"( NAME = GOLD , USAGE = ", {"Error:',' or ')' expected :  @ 39\n"}},
    {"USAGE = CLASS )\n  MATCH ", {"Error: Keyword '#' expected:  @40\n"}},
    {"USAGE = CLASS )\n  MATCH # ", {"route map sequence  number expected:   @40\n"}},
    {"MATCH # 1 = ", {"Error: Invalid syntax '(' expected @ 40\n"}},
    {"VALUE = \"ef\" )\n", {"Error: Invalid attribute name :  @41\n"}},
    {"QOSMARKRULES D.PE BEGIN\n  DESCRIPTION ", {"Error: Invalid syntax '=' expected @ 43\n"}},
    {"EXCEEDACTION = drop ,\n", {"invalid attribute in variable list:  @47\n"}},
    {"BURSTSIZE = 1500 , EXCEEDACTION = ", {"Error:',' or ')' expected :  @ 46\n"}},
    {"BITRATETYPE = ", {"Error: Invalid value for BITRATETYPE   @50\n"}},
    // The sub-rules end quietly at the end of the file; the block meets it.
    {"NAME = WRED , TYPE = red )\n", {"Error: Invalid attribute name :  @54\n"}},
    {"  DROPSUBRULE ", {"Error: Keyword '#' expected:  @54\n"}},
    {"  DROPSUBRULE # ", {"drop subtype sequence  number expected:   @54\n"}},
    {"PARAM1 = 10 )\n", {"Error: Invalid attribute name :  @55\n"}},
    {"USAGE = qos , OWNER = ", {"ERROR:',' or ')' expected :  @ 57\n"}},
    // QOSPOLICY: the M or O word, the item loop, the description, its
    // access lists, policy-level rules and classes.
    {"QOSPOLICY ", {"Error: domain undefined: '' @ 60 \n", "Error: '.' expected as a qualifer for node type @ 60\n"}},
    {"QOSPOLICY D.PE ",
     {"Error: M or O needs to be specified for qospolicy @60\n", "Error: Keyword 'BEGIN' expected :  @60\n"}},
    {"QOSPOLICY D.PE M BEGIN\n", {"Error: Invalid attribute name :  @61\n"}},
    {"QUEUEGROUPNAME = GOLDQ , ", {"invalid attribute in variable list @61\n"}},
    {"DIRECTION = ", {"ERROR: Invalid value for DIRECTION: '' @ 61\n"}},
    {"QUEUETYPE = ", {"ERROR: Wrong value for QUEUETYPE: '' @ 62\n"}},
    {"QUEUETYPE = class-based )\n", {"Error: Invalid attribute name :  @63\n"}},
    {"( ACL-TYPE = extended , ACL-NAME = \"GOLDACL\" , ", {"ERROR: Invalid attribute name :  @ 63\n"}},
    {"\"GOLDACL\" , NAME-TYPE = STRING )\n", {"Error: Invalid attribute name :  @64\n"}},
    {"PROTOCOL = udp )\n  POLICERULE ", {"Error: Invalid syntax '=' expected @ 65\n"}},
    {"CONFIRMACTION = transmit ,\n", {"invalid attribute in variable list:  @66\n"}},
    {"MATCHRULE = ( TYPE = \"access-group\" , ", {"invalid attribute in variable list:  @66\n"}},
    {"  DROPTYPE ", {"Error: Invalid syntax '=' expected @ 67\n"}},
    {"DROPTYPE = ", {"ERROR: Wrong value: ''  : @ 67\n"}},
    {"  CLASS # ", {"route map sequence  number expected:   @68\n"}},
    {"CLASS # 1 = ( NAME = VOICE , ", {"invalid attribute in variable list:  @68\n"}},
    {"BANDWIDTH = ", {"Error:',' or ')' expected :  @ 68\n"}},
    {"MARKRULE = ( TYPE = ", {"Error:',' or ')' expected :  @ 69\n"}},
    {"DROPRULENAME = ", {"Error: DROPRULENAME  referred by QOSPOLICY Description @70 is missing\n"}},
    {"DROPRULENAME = WRED )\n", {"Error: Invalid attribute name :  @71\n"}},
    // QOS-SERVICE-ENROLLVAR would end there as at END: never accepted.
    {"QOS-SERVICE-ENROLLVAR ", {"ERROR : Keyword 'BEGIN' expected:  @ 72 \n"}},
    {"QOS-SERVICE-ENROLLVAR BEGIN\n", {"ERROR: Unexpected end of file @ 73 \n"}},
    {"VARIABLE-UNASSIGNED , TYPE = STRING )\n", {"ERROR: Unexpected end of file @ 74 \n"}},
};

TEST_F(CutOff, EveryCutIsRefusedWhereItEndsAndKeepsTheStoredRows) {
    Outcome whole_load = load("cutoff.ndl", "", kPolicy);
    ASSERT_EQ(whole_load.ret, 0) << ::testing::PrintToString(whole_load.messages);
    EXPECT_EQ(whole_load.messages, kClean);
    ASSERT_FALSE(stored().empty());  // rows for the cuts to leave alone
    std::vector<CutText> cuts;
    for (const Row &row : kRows) {
        size_t at = whole.find(row.after);
        ASSERT_NE(at, std::string::npos) << row.after;
        cuts.push_back({whole.substr(0, at + std::strlen(row.after)), row.messages});
    }
    expect_cuts_refused(cuts);
}

}  // namespace
