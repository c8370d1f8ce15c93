// How a run's files are written, for a repository that keeps letters.
#ifndef NDL_LOADER_LETTERS_H
#define NDL_LOADER_LETTERS_H

#include <cstdio>

// What the rest of a file holds, from where its stream stands (past a
// byte-order mark): ASCII alone, UTF-8, or anything else, which is Latin-1.
struct FileLetters {
    enum Kind { Ascii, Utf8, Latin1 } kind = Ascii;
    int first_line = 0;   // the first letter beyond ASCII
    int latin1_line = 0;  // Latin1: where the text stops being UTF-8
    int wide_line = 0;    // Utf8: the first letter beyond Latin-1
    bool readable = true;
};

// Reads the file to its end (or to where it is Latin-1) and puts the
// stream back where it stood.
FileLetters scan_letters(FILE *fp);

// Tells the run's repository how the run's files are written, before
// anything is stored. False, with the reason logged, when it cannot keep
// their letters: a letter its database cannot hold, files in Latin-1 and
// UTF-8 both, a file that cannot be read, or the layer's failure.
bool agree_letters(FILE *const *files, const char *const *paths, int count);

#endif
