// Checks of the common validations that the run driver and the tokenizer
// call. Until those checks are built they are stand-ins (see standins.cpp).
#ifndef NDL_CORE_VALIDATIONS_H
#define NDL_CORE_VALIDATIONS_H

// End-of-section checks of dynamic-list variable references.
int validateuser_vars();
int validatecustuser_vars();
// Drops the stored access lists that the section about to be parsed declares
// anew.
void filter_accesslists();
// A value with bracketed variable expressions: 1 valid (its type code in
// *type), 0 invalid with the message in g_errormsg.
int validate_commandvar(const char *domainname, const char *nodetype, const char *context1,
                        const char *context2, const char *context3, const char *value,
                        int *type);

#endif
