// Files that end inside a block, of every kind of the TOPOLOGY section, cut
// from one whole file at chosen points: between attributes, after a
// keyword, after "=", inside "( ... )" lists, after "," and where an entry
// or a nested group starts. Each cut is refused with the message of the
// step that meets the end of the file (the end-of-file message only where a
// block's loop would take it as END), the driver's skip then meets the end
// too, and no stored row changes.
#include "topo_load.h"

TEST_F(TopoLoad, EveryTopologyBlockCutShort) {
    expect_cuts(kData, "roundtrip_topology.ndl", {
        // NETWORK: the end of the file is an empty name, then no BEGIN.
        {"NETWORK RTNET", {"ERROR: KeyWord 'BEGIN' expected :  @ 6 \n"}, 7},
        {"  ORGANIZATION", {"ERROR: Invalid syntax '=' expected :  @ 7\n"}},
        {"  ORGANIZATION =", {"ERROR : Invalid syntax specify value within quoted string:  @ 7\n"}},
        {"  ORGANIZATION = \"O'Brien & Sons\"", {"ERROR : Invalid Input : @7 \n"}},
        // LISTDEFS and its LIST entries.
        {"LISTDEFS", {"ERROR : Invalid token,  'BEGIN' expected : '' @ 16 \n"}},
        {"LISTDEFS BEGIN", {"ERROR : Invalid Input  @16 -2\n"}},
        {"LIST = ( NAME =", {"ERROR : Syntax error ','  expected : @17\n"}},
        {"ELEMENT = \"POP, CORE, EDGE\"", {"ERROR : Syntax error ')'  expected : @17\n"}},
        // SYSTEMLIST: an empty list name is no system list.
        {"SYSTEMLIST", {"ERROR: list '' is not a system defined list: @ 21\n", "ERROR : Keyword 'BEGIN' expected:  @ 21 \n"}},
        {"LISTVARIABLE = ( NAME = T1", {"ERROR : Syntax error ','  expected : @22\n"}},
        // Where VALUE is expected the entry's own text is the end-of-file one.
        {"LISTVARIABLE = ( NAME = T1 ,", {"ERROR : Unexpected end of file @ 22 \n"}},
        {"LISTVARIABLE = ( NAME = T1 , VALUE = 1544 )", {"ERROR : Keyword 'LISTVARIABLE' expected:  @ 22 \n"}},
        // NETWORKVARS and VARIABLE definitions.
        {"NETWORKVARS", {"ERROR: Keyword 'BEGIN' expected :  @26\n"}},
        {"VARIABLE = ( NAME = DNSDOMAIN", {"ERROR : Syntax error '(' expected :  @27\n"}, 10},
        {"VARIABLE = ( NAME = DNSDOMAIN , MODE =", {"ERROR : Syntax error ',' or ')' expected : @27\n"}},
        {"VARIABLE = ( NAME = DNSDOMAIN , MODE = FIXED-ASSIGNED , TYPE = STRING ,",
         {"ERROR :Syntax error 'NAME' 'MODE','TYPE'  'VALUE' or 'OPTIONAL' expected:  @27\n"}},
        {"TYPE = NUMBER , VALUE = 65010 )", {"ERROR : Invalid Input :  @29 -2\n"}},
        // GLOBALLISTS: after a list the end is the next identifier, without "=".
        {"GLOBALLISTS", {"ERROR : Invalid token,  'BEGIN' expected : '' @ 33 \n"}},
        {"SITEVARS = ( SITECODE", {"ERROR: ',' or ')' expected :  @ 34\n"}},
        {"SITEVARS = ( SITECODE ,", {"ERROR: Invalid token, variable name expected :  @ 34\n"}},
        {"SITEVARS = ( SITECODE , contact )", {"ERROR: Invalid syntax '=' expected @ 34\n"}},
        // INTERFACE-BANDWIDTH-LIST.
        {"INTERFACE = ( NAME = Serial ,", {"ERROR :Syntax error BANDWIDTH expected':  @39\n"}},
        {"INTERFACE = ( NAME = Serial , BANDWIDTH =", {"ERROR : Quoted string expected : @39\n"}},
        {"INTERFACE = ( NAME = Serial , BANDWIDTH = \"T1, E1\" )", {"ERROR : Invalid Input  @39 -2\n"}},
        // SERVICE-TYPE: an empty service type is none; an empty SERVICENAME
        // is the one this block still has.
        {"SERVICE-TYPE", {"ERROR :Syntax error . Invalid service type specified : @43\n"}},
        {"SERVICE-TYPE VPN", {"ERROR : KeyWord 'BEGIN' expected :  @ 43 \n"}},
        {"SERVICENAME =", {"ERROR: Service name already exists: '' @ 44\n", "ERROR : Invalid Input :  @44 \n"}},
        {"SERVICENAME = \"Joe's VPN\"", {"ERROR : Invalid Input :  @44 \n"}},
        {"HOSTTYPE =", {"ERROR : String expected for HOSTTYPE'S:  @ 45\n"}},
        {"VARIABLE = ( NAME = VRFNAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING ,",
         {"ERROR :Syntax error 'NAME' 'MODE','TYPE'  'VALUE' or 'OPTIONAL' expected:  @46\n"}},
        // POOL-CLASS: without BEGIN its text is the end-of-file one.
        {"POOL-CLASS", {"ERROR : Unexpected end of file @ 58 \n"}},
        {"CLASS =", {"ERROR: Invalid syntax '(' expected @  59\n"}},
        {"CLASS = ( NAME = GOLD ,", {"ERROR : Invalid Input  @59 \n"}},
        {"DISPLAYNAME = Gold , DEFAULT = TRUE )", {"ERROR : Invalid Input  @59 \n"}},
        {"SHAREDCLASS =", {"ERROR: Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE :  @60\n",
                           "ERROR: Invalid syntax '=' or ')' expected : @ 60\n"}},
        // POOL-TYPE and its TYPE and POOLTYPEMAP entries; SUBPOOLS takes any
        // token, the end of the file too, as an empty list.
        {"TYPE = ( SERVICETYPE = VPN ,", {"ERROR : Invalid attribute name :  @ 64\n"}},
        {"POOLOWNER = PROVIDER , VALIDATION =", {"ERROR: Validation type is not valid: ''  @ 64\n"}},
        {"POOLOWNER = PROVIDER , VALIDATION = NONE )", {"ERROR : Invalid Input  @64 -2\n"}},
        {"SUBPOOLS =", {"ERROR : Invalid Input  @65 -2\n"}},
        {"POOLTYPEMAP = ( COMMUNICATION-TYPE =", {"ERROR: Communication type is not valid: ''  @ 66\n"}},
        // DOMAIN.
        {"DOMAIN NORTH", {"ERROR : Keyword 'BEGIN' expected:  @ 73 \n"}, 6},
        {"TYPE = STRING , VALUE =", {"ERROR : Specify variable value within quotes :  @74\n"}},
        {"TYPE = STRING , VALUE = \"PT\" )", {"ERROR : Invalid Input :  @74\n"}},
        // NODES: an empty domain is undefined and no "." follows it.
        {"NODES NORTH.PE", {"ERROR : Domain undefined : @ 92\n", "ERROR :'.' expected as a qualifer for node type :  @ 92\n"}, 5},
        {"NODES NORTH.PE", {"ERROR :'.' expected as a qualifer for node type :  @ 92\n"}, 11},
        {"NODES NORTH.PE", {"ERROR :KeyWord 'BEGIN' expected :  @ 92 \n"}, 12},
        {"NAME = HOSTNAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )", {"ERROR : Invalid Input  @93 \n"}},
        // ADDRESSPOOL: an empty pool kind is reported and no BEGIN follows.
        {"ADDRESSPOOL", {"ERROR: Unknown pool type encountered, 'NETWORK-ADDR-POOL' expected:  @ 128 ",
                         "ERROR: Keyword 'BEGIN' expected :  @128\n"}},
        {"  LOOPBACKS", {"ERROR: Invalid syntax '=' expected:  @129\n"}},
        {"  LOOPBACKS = (", {"ERROR: Invalid keyword 'STARTADDR' expected:  @129\n",
                             "ERROR: Invalid keyword '=' expected:  @129\n"}},
        {"STARTADDR = \"10.255.0.1\"", {"ERROR: Invalid syntax ',' expected:  @129\n"}},
        {"ENDADDR = \"10.255.0.254\" , PROTOCOL =", {"ERROR: Invalid keyword protocol IP/IPX expected:  @129\n",
                                                    "ERROR: Invalid syntax ')' expected:  @129\n"}},
        {"ENDADDR = \"10.255.0.254\" , PROTOCOL = IP )", {"ERROR: Invalid Input :  @129 \n"}},
        // LOGICALINTERFACE: its statements run to END or the end of the file,
        // which its own text reports.
        {"LOGICALINTERFACE NORTH.PE", {"ERROR: Domain undefined: @ 137\n",
                                       "ERROR: '.' expected as a qualifier for node type: @ 137\n"}, 16},
        {"  LOOPBACK#", {"ERROR: Logical interface NUM expected : @ 138\n"}},
        {"  LOOPBACK#0.", {"ERROR: Invalid attribute name :  @138\n"}},
        {"( ADDRESSTYPE = ADDRESS-FIXED ,", {"ERROR: Invalid syntax Keyword,  'ADDRESS' expected : @ 138\n"}},
        {"ADDRESS = \"10.255.0.NODEID\" , PREFIX = 32 )", {"ERROR: Unexpected end of file : @ 138\n"}},
        {"LOOPBACK#0.VALIDATION =", {"ERROR: Wrong value for 'VALIDATION': '' @ 141\n"}},
        {"LOOPBACK#0.DEPENDENCY = ( NAME = NODEID ,", {"ERROR: Invalid syntax Keyword 'MINVALUE' expected : @ 142\n"}},
        {"LOOPBACK#0.INSTANCEID = (", {"ERROR: Invalid syntax instance identifiers expected: @ 143\n"}},
        {"TUNNEL#7.SELECTIONMETHOD = ( POOLNAME = CORELINKS", {"ERROR:',' or ')' expected :  @ 152\n"}},
        {"LOOPBACK#2.SELECTIONMETHOD = ( SERVICETYPE = dia ,", {"ERROR: Invalid attribute:  @156\n"}},
        // CONNECTIONS: where an entry starts the end is an unknown first
        // domain, and no TO follows it.
        {"CONNECTIONS BEGIN", {"ERROR: Invalid (FOR) domain name for connection definition :  @ 165\n",
                               "ERROR: Keyword 'TO' expected after  :  @ 165\n"}},
        {"  NORTH TO", {"ERROR: Keyword 'TO' expected after NORTH :  @ 166\n"}, 7},
        {"SOUTH = ( SCOPE =", {"ERROR: Invalid syntax . Scope type 'INTERNAL' or 'EXTERNAL' expected @ 166\n"}},
        {"SCOPE = EXTERNAL , MIN =", {"ERROR: Invalid syntax  value expeced for :MIN @d\n"}},
        {"SCOPE = EXTERNAL , MIN = 1 ,", {"ERROR: Invalid syntax variable type expected:  @ 166\n"}},
        {"MIN = 1 , MAX = 40", {"ERROR: Invalid syntax ')' expected: @ 166\n"}},
        // CONNECTIONTYPE: its loop runs to END or the end of the file; its
        // groups refuse the end at their own steps.
        {"CONNECTIONTYPE PE-CPE", {"ERROR: Keword 'BEGIN' expected : @169\n"}, 14},
        {"  TYPE = POINT-TO-POINT", {"ERROR: Unexpected end of file @ 170 \n"}},
        {"  SCOPE = EXTERNAL\n  ROUTEDPROTOCOLS", {"ERROR: Invalid syntax . Scope type 'INTERNAL' or 'EXTERNAL' expected @ 171\n",
                                                 "ERROR: Invalid syntax variable type expected\n"}, 9},
        {"VARIABLE = ( NAME = CIRCUIT ,", {"ERROR :Syntax error 'NAME' 'MODE','TYPE'  'VALUE' or 'OPTIONAL' expected:  @173\n"}},
        {"MEMBER = ( NODE = NORTH.PE ,", {"ERROR: Invalid attribute name :  @ 175\n"}},
        {"INTERFACES = \"Serial1/0,", {"ERROR: String expected for Interfaces: Serial1/0, @ 175\n"}},
        {"INTERFACETYPES = ( TYPE =", {"ERROR: Invalid interface type :  @178\n"}},
        {"MEMBERFILTER = (", {"ERROR: Invalid token, variable name expected :  @ 180\n"}},
        {"IPADDRESS = ( ADDRESSTYPE = NETWORK-FIXED ,", {"ERROR: Invalid syntax Keyword,  'ADDRESS' expected : @ 182\n"}},
        {"DEPENDENCY = ( NAME = CIRCUIT , MINVALUE =", {"ERROR:Invalid syntax min value expected: @ 183\n"}},
        {"INSTANCEID = ( CIRCUIT", {"ERROR: Invalid syntax '=' or ')' expected : @ 184\n"}},
        {"APS = ( MEMBER = NORTH.PE , MODE =", {"ERROR: Invalid value ('WORKING' or 'PROTECTED' expected)for attribute:  @185\n",
                                               "ERROR:',' or ')' expected :  @ 185\n"}},
        {"HSRP#2.", {"ERROR :Invalid attribute name for HSRP :  @186\n"}},
        // A flagged value, then the block's loop meets the end.
        {"HSRP#2.AUTHENTICATION =", {"ERROR: Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE :  @186\n",
                                     "ERROR: Unexpected end of file @ 186 \n"}},
        {"HSRP#2.MEMBER = (", {"ERROR: Syntax error . Domain name expected :  @ 187 \n"}},
        {"HSRP#2.MEMBER = ( NORTH.", {"Unexpected end of file :  @187\n"}},
        {"HSRP#2.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED ,", {"ERROR: Invalid syntax Keyword 'ADDRESS' expected : @ 188\n"}},
        // LOGICAL-PATH: its loop runs to END or the end of the file.
        {"LOGICAL-PATH", {"ERROR: Keword 'BEGIN' expected : @203\n"}},
        {"  TYPE = TUNNEL", {"ERROR: Unexpected end of file @ 204 \n"}},
        {"  MAXCONN = 20", {"ERROR: Invalid syntax a number value expected for MAXCONN : @d\n"}, 11},
        {"  MEMBER = ( NODE = NORTH.PE , MINCONN = 2", {"ERROR: Invalid sytax Keword 'NODE' expected : @ 211\n"}, 12},
        {"  MEMBER = ( NODE = NORTH.PE , MINCONN = 2", {"ERROR: Domain undefined : @ 211\n",
                                                         "ERROR:'.' expected as a qualifer for node type: @ 211\n"}, 19},
        {"  MEMBER = ( NODE = NORTH.PE , MINCONN = 2", {"ERROR: Node expected expected :  @211\n"}, 26},
        {"  MEMBER = ( NODE = NORTH.PE , MINCONN = 2 ,", {"ERROR: Invalid attribute name :  @ 211\n"}},
        {"INTERFACE = \"Tunnel0,", {"ERROR: Invalid syntax ',' expected: @ 212\n"}},
        {"MEMBERFILTER = ( SITENAME ,", {"ERROR: Invalid token, variable name expected :  @ 214\n"}},
        {"MEMBERFILTER = ( NODEID )", {"ERROR: Unexpected end of file @ 215 \n"}},
    });
}
