// The run and section driver: what a deliverable runs a load with, and what
// the section libraries register with and call. The run state it drives is
// the core's (runstate.h), the frame of a section too (sections.h).
#ifndef NDL_LOADER_DRIVER_H
#define NDL_LOADER_DRIVER_H

#include <cstdio>

struct section_def;   // sections.h
class section_slot;   // sections.h

// Resets the run state at the start of a call (record lists excepted: every
// run ends with them released).
void InitialiseGlobalData();

// The driver functions return 1 for success and 0 for failure.
// fileno: 1 the first section of the run, 2 the first of a later file, 0 a
// later section of the same file (its NETWORKNAME already read).
int parse(FILE *fp, FILE *loadfp, int fileno);
int parse_section(FILE *fp, FILE *loadfp);
// 1 bound (or refused with g_error set), 0 network unknown, -1 database failure.
int set_networkid(const char *name);
// Skips to the next END or NETWORKNAME after a block error: 1 resumed (with
// *found set at a NETWORKNAME), 0 at the end of the file.
int skip_block(FILE *fp, FILE *loadfp, int *found);

// The block loop of a section (start checks, blocks, skip_block, closing
// steps, the next header): 1 success, 0 failure.
int run_section(FILE *fp, FILE *loadfp, const section_def &def);

using section_dispatcher = int (*)(FILE *fp, FILE *loadfp);
// Called once per section library, from its registration object; `def` is
// the section's block rows, for whoever lists them. A second registration
// of a section replaces the first.
void register_section(section_slot section, section_dispatcher dispatcher, const section_def *def = nullptr);
// The sections in the driver's order (i from 0; null past the last).
const char *section_name(int i);
// What a section library registered under `name` (null: none, or no rows).
const section_def *registered_section(const char *name);

#endif
