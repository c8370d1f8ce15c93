// What the ROUTING section offers the other sections: its dispatcher.
#ifndef NDL_ROUTING_ROUTING_H
#define NDL_ROUTING_ROUTING_H

#include <cstdio>

// The section dispatcher (registered with the driver): 1 success, 0 failure.
int parseroutingsec(FILE *fp, FILE *loadfp);

#endif
