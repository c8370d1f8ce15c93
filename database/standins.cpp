// Stand-ins for the inventory checks, which later work builds here. Each
// keeps every change, so that a run goes from the section headers to the
// end. Remove each one when its real code arrives.
#include "database.h"

// stand-in until the inventory checks are built: every change is kept.
int NDL_validateTopology() { return 1; }

// stand-in until the inventory checks are built: every change is kept.
int NDL_validateCustomer() { return 1; }
