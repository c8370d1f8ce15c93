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
