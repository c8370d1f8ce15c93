// DOMAIN blocks loaded through the host: rows, messages with their lines,
// and the faults of cut-off files and out-of-range numbers.
#include "topo_load.h"

using V = std::vector<std::string>;

TEST_F(TopoLoad, DomainBlocksBecomeDomainsAndVariables) {
    Outcome r = load("domain_valid.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);
    // EAST and east are two domains: names compare with case.
    EXPECT_EQ(rows("SELECT domainname FROM domain ORDER BY rowid"), (V{"EAST", "east"}));
    EXPECT_EQ(rows("SELECT domainname, sequence, variablename, displayname, variabletype, updatestatus, "
                   "isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, uniquec "
                   "FROM domainvariables ORDER BY rowid"),
              (V{"EAST|1|COUNTRYCODE|COUNTRYCODE|STRING|FIXED-ASSIGNED|0|0|0|||PT|",
                 "EAST|2|LOCATIONCODE|LOCATIONCODE|STRING|FIXED-ASSIGNED|0|0|0|||LIS|",
                 "EAST|3|SITENAME|Site|STRING|VARIABLE-UNASSIGNED|0|0|0||||",
                 "EAST|4|RACKS|RACKS|RANGE|VARIABLE-UNASSIGNED|0|1|12||||",
                 "east|1|COUNTRYCODE|COUNTRYCODE|STRING|FIXED-ASSIGNED|0|0|0|||ES|",
                 "east|2|LOCATIONCODE|LOCATIONCODE|STRING|FIXED-ASSIGNED|0|0|0|||MAD|",
                 "east|3|SITENAME|SITENAME|STRING|VARIABLE-UNASSIGNED|1|0|0||||"}));
}

TEST_F(TopoLoad, DomainErrorsAreAllReportedInOnePass) {
    Outcome r = load("domain_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR : Duplicate definition of domain variable : SITENAME @ 6\n",
                 "ERROR : Syntax error . A value is expected for type COUNTER @7\n",
                 "ERROR: Syntax error . Invalid mode specified :ASSIGNED @7\n",
                 "ERROR: Syntax error . Invalid type specified : COUNTER @7\n",
                 // countrycode in lower case is not COUNTRYCODE; the line is the block's first.
                 "ERROR: All mandatory variables for domain 'EAST' are not given, variables COUNTRYCODE, "
                 "LOCATIONCODE and SITENAME are essential: @ 2\n",
                 "ERROR : Duplicate definition of domain: EAST @9 \n",
                 "ERROR: All mandatory variables for domain 'WEST' are not given, variables COUNTRYCODE, "
                 "LOCATIONCODE and SITENAME are essential: @ 11\n",
                 "ERROR: Token exceeds maximum size: 'NORTH_DOMAIN_NAME_OF_31_CHARSXY' @ 13\n",
                 "ERROR : Keyword 'BEGIN' expected: VARIABLE @ 16 \n", "Exiting due to errors \n"}));
}

TEST_F(TopoLoad, DomainStoredBeforeItsBlockStopsAndNothingIsWritten) {
    // The failed run leaves the repository as it was.
    Outcome r = load("domain_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(rows("SELECT count(*) FROM domain"), std::vector<std::string>{"0"});

    // A block stopped inside still declared its domain: the later NODES
    // block finds it (no "Domain undefined").
    r = load_text(std::string(kHeader) +
                  "DOMAIN EAST BEGIN\n"
                  "  VARIABLE = ( NAME = X , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = 5 )\n"
                  "END\n"
                  "NODES EAST.PE BEGIN\n"
                  "END\n");
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR : Specify variable value within quotes : 5 @3\n",
                 "ERROR : 'DEVICETYPE' , 'HOSTNAME' and 'NODEID' are mandatory fields for nodes :END @7 \n"}));
}

TEST_F(TopoLoad, DomainSyntaxStops) {
    // Not a definition: a quoted string where VARIABLE or a word belongs.
    Outcome r = load_text(std::string(kHeader) + "DOMAIN EAST BEGIN\n  \"X\" = ( NAME = X )\nEND\n");
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR : Invalid Input : X @3\n"}));

    // A dynamic value is checked with the context word TOKEN.
    r = load_text(std::string(kHeader) + domain("EAST").substr(0, domain("EAST").size() - 4) +
                  "  VARIABLE = ( NAME = D , MODE = DYNAMIC-ASSIGNED , TYPE = STRING , VALUE = \"<V 1, 2>\" )\n"
                  "END\n");
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR : Invalid dynamic variable ',' expected : <V 1, 2>  @ 6\n"}));
}

TEST_F(TopoLoad, CutOffDomainIsAnErrorAndKeepsTheStoredRows) {
    Outcome r = load("domain_valid.ndl");
    ASSERT_EQ(r.ret, 0);
    // The same network again, cut inside its first block: nothing is
    // deleted.
    r = load("domain_cutoff.ndl", "updateversion");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR : Invalid Input :  @5\n", "Exiting due to errors \n"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM domainvariables"), V{"7"});

    // Cut right after the keyword (an empty name, then no BEGIN), and inside
    // a quoted name.
    r = load_text(std::string(kHeader) + "DOMAIN", "updateversion");
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR : Keyword 'BEGIN' expected:  @ 2 \n", "Exiting due to errors \n"}));
    r = load_text(std::string(kHeader) + "DOMAIN \"EAST", "updateversion");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages).front(), "ERROR : Unexpected end of file @ 2 \n");
}

TEST_F(TopoLoad, DomainBoundsOutside32BitsAreRefused) {
    Outcome r = load("nodes_numbers.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR : Invalid value for MINVALUE attribute. Must be a number : 4294967297 @6\n",
                 "ERROR : Invalid value for MAXVALUE attribute. Must be a number : 2147483648 @11\n",
                 "ERROR : Invalid value for NUMBER attribute. Must be a number : 99999999999 @12\n"}));
}
