// A token the tokenizer cannot read (over-long: it has logged it and failed
// the run) where a route-policy, FIREWALL or QOS block expects its next
// keyword. The block's loop ends there as at END, with no message of its
// own (the checks of its end speak), and the section reads on from the
// token's last character. The run stays refused and nothing stored changes.
#include "policy_load.h"

namespace {

constexpr const char *kPolicy = NDL_TEST_DATA "/policy";

std::string rest_at(int line) { return "Error: Invalid block type : W @ " + std::to_string(line) + "\n"; }

}  // namespace

TEST_F(TopoLoad, TokenErrorsWherePolicyBlocksExpectAKeyword) {
    expect_token_errors(kPolicy, {"network.ndl", "cutoff.ndl"}, {
        {"SETVALUE = \"7\" )", {overlong_msg(9), rest_at(10)}},
        {"PREFIX = 8 )", {overlong_msg(14), rest_at(15)}},
        {"SUBSTRING = \"_100_\" )", {overlong_msg(19), rest_at(20)}},
        {"SUBSTRING = \"65000:1\" )", {overlong_msg(24), rest_at(25)}},
        {"BURSTSIZEIN = 16 )", {overlong_msg(29), rest_at(30)}},
        {"SOURCE-PREFIX = AUTO )", {overlong_msg(35), rest_at(36)}},
        // ACCESSLIST: its end refuses a description without formats.
        {"USAGE = snmp , OWNER = \"D.PE\" )", {overlong_msg(34), "ERROR: No formats declared for access list @34\n"}},
        {"VALUE = \"ef\" )", {overlong_msg(40), rest_at(41)}},
        // QOSMATCHRULES: its end's mandatory check.
        {"QOSMATCHRULES D.PE BEGIN",
         {overlong_msg(38), "Error: Token 'DESCRIPTION' not found in MATCHRULE block :  @ 38\n", rest_at(39)}},
        {"TYPE = \"ip precedence\" , VALUE = \"5\" )", {overlong_msg(43), rest_at(44)}},
        {"CONFIRMACTION = transmit )", {overlong_msg(47), rest_at(48)}},
        {"BITRATETYPE = peak )", {overlong_msg(50), rest_at(51)}},
        // QOSDROPRULES: its end's mandatory check; the rule it lost is
        // then missing where the policy names it.
        {"QOSDROPRULES D.PE BEGIN",
         {overlong_msg(52), "Error: Token 'DESCRIPTION' not found in DROPTYPE block :  @ 52\n",
          "Error: DROPRULENAME WRED referred by QOSPOLICY Description @70 is missing\n"}},
        // The drop rule's sub-rules end at it, and the block meets the rest.
        {"PARAM1 = 10 )", {overlong_msg(54), "Error: Invalid attribute name : W @55\n"}},
        {"PROTOCOL = udp )", {overlong_msg(58), rest_at(59)}},
        {"DROPRULENAME = WRED )", {overlong_msg(70), rest_at(71)}},
        // A policy's access lists hand back the token that is not theirs: it
        // comes back as a word, which the policy refuses.
        {"NAME-TYPE = STRING )", {overlong_msg(63), "Error: Invalid attribute name : " + std::string(299, 'W') + " @63\n"}},
        {"MODE = VARIABLE-UNASSIGNED , TYPE = STRING )", {overlong_msg(73), rest_at(74)}},
    });
}

// A quoted text cut by the end of the file: a token error the tokenizer
// says nothing of, then the end. Each step meets it as it meets any token
// error; a block whose loop takes it as END and then stands is the end of
// the file.
TEST_F(TopoLoad, CutTextsMeetEachPolicyBlockAsItsStepsSay) {
    expect_cut_texts(kPolicy, {"network.ndl", "cutoff.ndl"}, {
        // ROUTEMAP: the qualifier's end-of-file text, values that must be
        // quoted, keys, a flagged action, and the loop's END.
        {"ROUTEMAP", {"ERROR: Unexpected end of file @ 4 \n", kSkipToEnd}},
        {"ROUTEMAP D.PE", {"ERROR: Keyword 'BEGIN' expected : Cut @4\n", kSkipToEnd}},
        {"  DESCRIPTION = ( NAME =", {"ERROR: Specify map name within quotes: Cut @ 6\n", kSkipToEnd}},
        {"  DESCRIPTION = ( NAME = \"RM\" ,", {"ERROR: Invalid attribute name : CUT @ 6\n", kSkipToEnd}},
        {"  TYPE # 10 = ( ACTION =",
         {"ERROR: permit/deny expected : cut @ 7\n", "ERROR:',' or ')' expected :  @ 7\n", kSkipToEnd}},
        {"  MATCH # 10 = (", {"ERROR: Invalid attribute name : CUT @ 8\n", kSkipToEnd}},
        {"SETVALUE = \"7\" )", {"ERROR: Unexpected end of file @ 9 \n", kSkipToEnd}},
        // PREFIXLIST, ASNLIST, COMMUNITYLIST, MAP-CLASS.
        {"  FORMAT = ( TYPE = permit , NETWORK =", {"ERROR: Specify network address within quotes: Cut @ 14\n", kSkipToEnd}},
        {"PREFIX = 8 )", {"ERROR: Unexpected end of file @ 14 \n", kSkipToEnd}},
        {"SUBSTRING = \"_100_\" )", {"ERROR: Unexpected end of file @ 19 \n", kSkipToEnd}},
        {"  FORMAT = ( TYPE = deny , SUBSTRING =", {"ERROR: Specify substring within quotes: Cut @ 24\n", kSkipToEnd}},
        {"  ATTRIBUTES = (", {"ERROR: Invalid attribute name : CUT @ 29\n", kSkipToEnd}},
        {"BURSTSIZEIN = 16 )", {"ERROR: Unexpected end of file @ 29 \n", kSkipToEnd}},
        // ACCESSLIST: its end refuses a description without formats.
        {"ACL-TYPE = standard , ACL-NAME =", {"ERROR: Specify accesslist name within quotes: Cut @ 34\n", kSkipToEnd}},
        {"USAGE = snmp , OWNER = \"D.PE\" )", {"ERROR: No formats declared for access list @34\n", kSkipToEnd}},
        {"SOURCE-PREFIX = AUTO )", {"ERROR: Unexpected end of file @ 35 \n", kSkipToEnd}},
        // The QoS rule blocks: an end that flags its missing DESCRIPTION (the
        // block then stands refused), values the lists take as they are.
        {"QOSMATCHRULES D.PE BEGIN", {"Error: Token 'DESCRIPTION' not found in MATCHRULE block :  @ 38\n"}},
        {"  MATCH # 1 = ( TYPE =", {"Error:',' or ')' expected :  @ 40\n", kSkipToEnd}},
        {"VALUE = \"ef\" )", {"ERROR: Unexpected end of file @ 40 \n", kSkipToEnd}},
        {"TYPE = \"ip precedence\" , VALUE = \"5\" )", {"ERROR: Unexpected end of file @ 43 \n", kSkipToEnd}},
        {"CONFIRMACTION = transmit )", {"ERROR: Unexpected end of file @ 47 \n", kSkipToEnd}},
        {"BITRATETYPE = peak )", {"ERROR: Unexpected end of file @ 50 \n", kSkipToEnd}},
        {"QOSDROPRULES D.PE BEGIN", {"Error: Token 'DESCRIPTION' not found in DROPTYPE block :  @ 52\n", kSkipToEnd}},
        {"  DESCRIPTION = ( NAME = WRED , TYPE =", {"Error:',' or ')' expected :  @ 53\n", kSkipToEnd}},
        {"  DROPSUBRULE # 1 = ( TYPE =", {"Error:',' or ')' expected :  @ 54\n", kSkipToEnd}},
        // After a drop rule's sub-rule it ends them quietly; the block then
        // meets the end where a keyword is due.
        {"PARAM1 = 10 )", {"Error: Invalid attribute name :  @54\n", kSkipToEnd}},
        {"PROTOCOL = udp )", {"ERROR: Unexpected end of file @ 58 \n", kSkipToEnd}},
        // QOSPOLICY: its loop ends at it; its access list hands it back,
        // which comes back as a word.
        {"QOSPOLICY D.PE M BEGIN", {"ERROR: Unexpected end of file @ 60 \n", kSkipToEnd}},
        {"NAME-TYPE = STRING )", {"Error: Invalid attribute name : CUT @63\n", kSkipToEnd}},
        {"  DROPTYPE =", {"ERROR: Wrong value: 'CUT'  : @ 67\n", kSkipToEnd}},
        {"  CLASS # 1 = ( NAME = VOICE , BANDWIDTH = 30 , MATCHRULE = (",
         {"invalid attribute in variable list: CUT @68\n", kSkipToEnd}},
        {"DROPRULENAME = WRED )", {"ERROR: Unexpected end of file @ 70 \n", kSkipToEnd}},
        // QOS-SERVICE-ENROLLVAR.
        {"QOS-SERVICE-ENROLLVAR BEGIN", {"ERROR: Unexpected end of file @ 72 \n", kSkipToEnd}},
        {"  VARIABLE = ( NAME =", {"ERROR : Syntax error ',' or ')' expected : @73\n", kSkipToEnd}},
        {"MODE = VARIABLE-UNASSIGNED , TYPE = STRING )", {"ERROR: Unexpected end of file @ 73 \n", kSkipToEnd}},
    });
}
