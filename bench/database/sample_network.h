// The sample network of examples/ grown to N copies: every block of the
// sample that names one of its domains (or its connection, path and
// customer types) is repeated for each copy under names of its own, the
// network-wide blocks stand once with their domain lines repeated, and each
// copy's provider edge also has the routing and route-policy blocks that the
// sample leaves out. Every block kind of every section is there, in every
// copy.
#ifndef NDL_BENCH_DATABASE_SAMPLE_NETWORK_H
#define NDL_BENCH_DATABASE_SAMPLE_NETWORK_H

#include <array>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace sample {

// The sample's files in load order, one per section.
inline const std::array<const char *, 5> kFiles = {"network.ndl", "customer.ndl", "routing.ndl", "firewall.ndl",
                                                   "qos.ndl"};

// The names a copy renames by a suffix of its number.
inline const std::array<const char *, 6> kCopied = {"NORTH", "SOUTH", "PE-CPE", "CPE-GRE", "BUSINESS", "VPNSITE"};

// Blocks the sample has not, for each copy's provider edge (ROUTING).
inline const char kMoreRouting[] =
    "ROUTING-IGRP NORTH.PE PROCESS 10 O BEGIN\nEND\n"
    "RSPVP NORTH.PE O BEGIN END\n"
    "TAGSWITCHING NORTH.PE M BEGIN END\n"
    "ROUTING-MSDP NORTH.PE O BEGIN\n"
    "  ORIGINATORID = \"LOCALINT(INTERFACE.Loopback0)\"\n"
    "  PEER = ( NEIGHBOR = \"EVALIP(10.0.0.9)\" , CONNECTSOURCE = \"LOCALINT(INTERFACE.Loopback0)\" ,"
    " REMOTEAS = \"65001\" )\n"
    "END\n"
    "ROUTING-DVMRP NORTH.PE M BEGIN\n"
    "  MEMBER = ( INTERFACE = \"LOCALINT(INTERFACE.Gi0-0)\" , METRIC = 3 )\n"
    "END\n"
    "VRF NORTH.PE BEGIN\n"
    "  DESCRIPTION = ( VRFGROUPNAME = blue )\n"
    "  VRF = ( VRFCLASS = GOLD , VRFNAME = \"gold vrf\" , RDSCHEME = AUTO , RDPREFIX = \"65000\" , OWNER = \"NORTH\" )\n"
    "  ROUTETARGET = ( TYPE = both )\n"
    "END\n"
    "ASNLIST NORTH.PE\nBEGIN\n"
    "  DESCRIPTION = ( FLT-SEQSTART = 60 , FLT-SEQINC = 1 )\n"
    "  FORMAT = ( TYPE = permit , SUBSTRING = \"_65001_\" )\n"
    "END\n";

inline bool name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; }

// Whether `line` names one of the copied names as a whole word, and the
// line with each such word suffixed by `suffix`.
inline bool names_copied(const std::string &line) {
    for (const char *w : kCopied)
        for (size_t at = line.find(w); at != std::string::npos; at = line.find(w, at + 1)) {
            size_t end = at + std::char_traits<char>::length(w);
            if ((at == 0 || !name_char(line[at - 1])) && (end == line.size() || !name_char(line[end]))) return true;
        }
    return false;
}
inline std::string renamed(const std::string &line, const std::string &suffix) {
    std::string out;
    for (size_t i = 0; i < line.size();) {
        bool done = false;
        if (i == 0 || !name_char(line[i - 1]))
            for (const char *w : kCopied) {
                size_t n = std::char_traits<char>::length(w);
                size_t end = i + n;
                if (line.compare(i, n, w) == 0 && (end == line.size() || !name_char(line[end]))) {
                    out.append(w).append(suffix);
                    i = end;
                    done = true;
                    break;
                }
            }
        if (!done) out += line[i++];
    }
    return out;
}

// The blocks of an NDL text without its comments and blank lines: the
// section header is a block of one line.
inline std::vector<std::vector<std::string>> blocks_of(const std::string &text) {
    std::vector<std::vector<std::string>> blocks;
    std::istringstream in(text);
    std::vector<std::string> current;
    for (std::string line; std::getline(in, line);) {
        size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line.compare(first, 2, "--") == 0) continue;
        current.push_back(line);
        size_t last = line.find_last_not_of(" \t\r");
        bool ends = line.compare(first, 12, "NETWORKNAME ") == 0 ||
                    (last >= 2 && line.compare(last - 2, 3, "END") == 0 && (last == 2 || !name_char(line[last - 3])));
        if (ends) {
            blocks.push_back(current);
            current.clear();
        }
    }
    return blocks;
}

// One section file grown to `copies` copies.
inline std::string grow(const std::string &text, int copies) {
    std::string out;
    for (const std::vector<std::string> &block : blocks_of(text)) {
        if (names_copied(block.front())) {
            for (int i = 0; i < copies; ++i)
                for (const std::string &line : block) out += renamed(line, std::to_string(i)) + "\n";
            continue;
        }
        for (const std::string &line : block) {
            if (!names_copied(line)) {
                out += line + "\n";
                continue;
            }
            for (int i = 0; i < copies; ++i) out += renamed(line, std::to_string(i)) + "\n";
        }
    }
    return out;
}

inline std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The five section files of the grown network, in load order.
inline std::array<std::string, 5> network(int copies) {
    std::array<std::string, 5> files;
    for (size_t f = 0; f < kFiles.size(); ++f) {
        std::string text = read_file(std::string(NDL_EXAMPLES_DIR) + "/" + kFiles[f]);
        if (f == 2) text += kMoreRouting;
        files[f] = grow(text, copies);
    }
    return files;
}

}  // namespace sample

#endif
