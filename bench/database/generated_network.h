// The generated TOPOLOGY network of the load benchmarks.
#ifndef NDL_BENCH_GENERATED_NETWORK_H
#define NDL_BENCH_GENERATED_NETWORK_H

#include <cstdio>
#include <string>

// N domains with their three required variables, one node type per domain
// with two services, and one address pool per ten domains.
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
    return s;
}

#endif
