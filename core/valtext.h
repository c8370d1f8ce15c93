// Text pieces that the common validations share: dotted parts, word sets,
// digit runs and the reader of context prefixes and function calls. Every
// piece is held in a std::string, so no input can run past a buffer; the
// limits of names (30) and texts (300) are checked where a part is used.
#ifndef NDL_CORE_VALTEXT_H
#define NDL_CORE_VALTEXT_H

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "records_common.h"
#include "validations.h"

namespace valtext {

constexpr size_t kNameMax = kName - 1;  // a name holds 30 characters
constexpr size_t kTextMax = kText - 1;  // a text holds 300

// The parts between the separators; an empty text has none, and empty parts
// between separators are kept.
std::vector<std::string> split(std::string_view text, char sep = '.');
bool is_one_of(std::string_view word, std::initializer_list<const char *> words);
bool is_digits(std::string_view text);  // also true for an empty text
// Compares two runs of decimal digits as integers of any size (an empty run
// is 0): <0, 0, >0.
int compare_digits(std::string_view a, std::string_view b);
// A name that fits a 30-character field.
inline bool fits_name(std::string_view s) { return s.size() <= kNameMax; }
// Copies into a field of `size` bytes, cut to fit.
void copy_field(char *dest, size_t size, std::string_view src);

// Whether a word is in a value table (an empty word never is).
bool in_table(const value_table *table, const std::string &word);

// How the two readers of "[prefix...]FUNCTION(arguments)" texts differ.
struct expr_dialect {
    const function_entry *functions;
    bool prefix_at_only_connects;   // only "@" prefixes need a connection
    const char *msg_prefix_after_prefix;  // "$" or "#" after a prefix (whole text)
    const char *msg_no_dot;               // no "." after a prefix's domain (whole text)
    const char *msg_bad_function;         // unknown function (name)
    bool node_pair_in_no_connection;      // the no-connection message names both nodes
    const char *msg_no_connection;
};

// What the reader found: the function, its arguments without the closing
// parenthesis, and the node of the current context.
struct expr_call {
    std::string name;
    int kind = 0;
    int scope = 0;
    std::string args;
    std::string domain;
    std::string node;
};

// Reads the prefixes and the function of `text`. Each prefix fills connlist
// (when it needs a connection) and the remote names (31 bytes each). 1 read,
// 0 refused with the message in g_errormsg.
int read_expression(const expr_dialect &dialect, const char *domainname, const char *nodetype,
                    char *remotedomain, char *remotenode, const char *text, int *connlist,
                    expr_call *call);

}  // namespace valtext

#endif
