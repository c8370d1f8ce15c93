// The symbols a shared library exports (its dynamic symbol table), as nm
// lists them.
#ifndef NDL_TESTS_SUPPORT_DYNAMIC_SYMBOLS_H
#define NDL_TESTS_SUPPORT_DYNAMIC_SYMBOLS_H

#include <cstdio>
#include <map>
#include <string>

// Name to symbol type ('T' for code) of every defined export of LIBRARY, or
// with IMPORTED of every symbol it takes from elsewhere (type 'U'); false
// when nm could not be run.
inline bool dynamic_symbols(const std::string &library, std::map<std::string, char> &symbols,
                            bool imported = false) {
    std::string cmd = "nm -D " + std::string(imported ? "--undefined-only " : "--defined-only ") + library +
                      " 2>/dev/null";
    FILE *p = popen(cmd.c_str(), "r");
    if (!p) return false;
    char line[1024];
    while (std::fgets(line, sizeof line, p)) {
        char type = 0;
        char name[900];
        // "ADDRESS TYPE NAME"; an import has no address.
        if (std::sscanf(line, imported ? " %c %899s" : "%*s %c %899s", &type, name) == 2) symbols[name] = type;
    }
    return pclose(p) == 0 || !symbols.empty();
}

#endif
