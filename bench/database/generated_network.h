// The generated TOPOLOGY network of the load benchmarks.
#ifndef NDL_BENCH_GENERATED_NETWORK_H
#define NDL_BENCH_GENERATED_NETWORK_H

#include <cstdio>
#include <string>

// N domains with their three required variables, one node type per domain
// with two services, one address pool per ten domains, and one connection
// type per domain joining its node type to the next domain's, with every
// group a connection type has (one HSRP group and one APS member).
inline std::string generate(int n) {
    std::string s = "NETWORKNAME = BENCHNET, SECTION = TOPOLOGY\n";
    char buf[1024];
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf,
                      "DOMAIN D%d BEGIN\n"
                      "  VARIABLE = ( NAME = COUNTRYCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"PT\" )\n"
                      "  VARIABLE = ( NAME = LOCATIONCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"L%d\" )\n"
                      "  VARIABLE = ( NAME = SITENAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
                      "END\n",
                      i, i);
        s += buf;
    }
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf,
                      "NODES D%d.PE BEGIN\n"
                      "  VARIABLE = ( NAME = HOSTNAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
                      "  VARIABLE = ( NAME = DEVICETYPE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"router\" )\n"
                      "  VARIABLE = ( NAME = NODEID , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , MAXVALUE = 99 )\n"
                      "  VARIABLE = ( NAME = EXTSERVICES , MODE = FIXED-ASSIGNED , TYPE = LIST , VALUE = \"DNS, NTP\" )\n"
                      "  VARIABLE = ( NAME = SOURCE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"lo%d\" )\n"
                      "END\n",
                      i, i);
        s += buf;
    }
    s += "ADDRESSPOOL NETWORK-ADDR-POOL BEGIN\n";
    for (int i = 0; i < n / 10; ++i) {
        std::snprintf(buf, sizeof buf,
                      "  P%d = ( STARTADDR = \"10.%d.%d.1\" , ENDADDR = \"10.%d.%d.254\" , PROTOCOL = IP )\n", i,
                      i / 256 % 256, i % 256, i / 256 % 256, i % 256);
        s += buf;
    }
    s += "END\n";
    s += "SYSTEMLIST HSRPPRIORITY BEGIN\n  LISTVARIABLE = ( NAME = 100 , VALUE = 100 )\nEND\n";
    s += "CONNECTIONS BEGIN\n";
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, "  D%d TO D%d = ( SCOPE = INTERNAL , MIN = 0 , MAX = 4 )\n", i, (i + 1) % n);
        s += buf;
    }
    s += "END\n";
    for (int i = 0; i < n; ++i) {
        int next = (i + 1) % n;
        std::snprintf(buf, sizeof buf,
                      "CONNECTIONTYPE C%d BEGIN\n"
                      "  TYPE = POINT-TO-POINT\n  SCOPE = INTERNAL\n"
                      "  VARIABLE = ( NAME = VLAN , MODE = VARIABLE-UNASSIGNED , TYPE = NUMBER )\n"
                      "  MEMBER = ( NODE = D%d.PE , MINCONN = 0 , MAXCONN = 4 , INTERFACES = \"Serial0, Serial1\" )\n"
                      "  MEMBER = ( NODE = D%d.PE , MINCONN = 0 , MAXCONN = 4 )\n"
                      "  INTERFACETYPES = ( TYPE = SERIAL , ENCAPSULATION = PPP , AUTHENTICATION = FALSE , SUBINTERFACE = FALSE )\n"
                      "  MEMBERFILTER = ( SITENAME )\n"
                      "  VALIDATIONPOOL = P%d\n"
                      "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.VLAN.1\" , PREFIX = 30 )\n"
                      "  DEPENDENCY = ( NAME = VLAN , MINVALUE = 1 , MAXVALUE = 200 )\n"
                      "  INSTANCEID = ( VLAN )\n"
                      "  APS = ( MEMBER = D%d.PE , MODE = WORKING )\n"
                      "  HSRP#1.MEMBER = ( D%d.PE )\n"
                      "  HSRP#1.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.VLAN.2\" )\n"
                      "  HSRP#1.HSRPPRIORITY = \"100\"\n"
                      "END\n",
                      i, i, next, i / 10, i, i);
        s += buf;
    }
    return s;
}

#endif
