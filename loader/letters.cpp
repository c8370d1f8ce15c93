// The letters of a run's files, as a repository that keeps letters (a
// server database) must be told them: a file that is valid UTF-8 is UTF-8,
// any other Latin-1. A repository that keeps bytes (a SQLite file) is told
// nothing, and no file is read twice for it.
#include "letters.h"

#include <cstdio>

#include "database.h"
#include "runstate.h"

FileLetters scan_letters(FILE *fp) {
    FileLetters out;
    long start = std::ftell(fp);
    if (start < 0) {
        out.readable = false;
        return out;
    }
    int line = 1;
    int need = 0;           // continuation bytes the letter still needs
    unsigned long cp = 0;   // the letter read so far
    unsigned long min = 0;  // its least value: a longer form is not UTF-8
    int letter_line = 0;
    unsigned char buf[16384];
    size_t n;
    while (out.kind != FileLetters::Latin1 && (n = std::fread(buf, 1, sizeof buf, fp)) > 0) {
        for (size_t i = 0; i < n; ++i) {
            unsigned char b = buf[i];
            if (need > 0) {
                if ((b & 0xC0) != 0x80) {
                    out.kind = FileLetters::Latin1;
                    out.latin1_line = letter_line;
                    break;
                }
                cp = (cp << 6) | (b & 0x3F);
                if (--need > 0) continue;
                if (cp < min || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
                    out.kind = FileLetters::Latin1;
                    out.latin1_line = letter_line;
                    break;
                }
                if (cp > 0xFF && !out.wide_line) out.wide_line = letter_line;
                continue;
            }
            if (b < 0x80) {
                line += b == '\n';
                continue;
            }
            letter_line = line;
            if (!out.first_line) out.first_line = line;
            out.kind = FileLetters::Utf8;
            if (b >= 0xC2 && b <= 0xDF) {
                need = 1, cp = b & 0x1F, min = 0x80;
            } else if (b >= 0xE0 && b <= 0xEF) {
                need = 2, cp = b & 0x0F, min = 0x800;
            } else if (b >= 0xF0 && b <= 0xF4) {
                need = 3, cp = b & 0x07, min = 0x10000;
            } else {
                out.kind = FileLetters::Latin1;
                out.latin1_line = line;
                break;
            }
        }
    }
    // A letter cut short by the end of the file.
    if (out.kind == FileLetters::Utf8 && need > 0) {
        out.kind = FileLetters::Latin1;
        out.latin1_line = letter_line;
    }
    if (out.kind == FileLetters::Latin1) out.wide_line = 0;
    out.readable = !std::ferror(fp) && std::fseek(fp, start, SEEK_SET) == 0;
    std::clearerr(fp);
    return out;
}

bool agree_letters(FILE *const *files, const char *const *paths, int count) {
    int held = OCIX_LETTERS_BYTES;
    std::snprintf(g_tablename, sizeof g_tablename, "%s", "text encoding");
    sword status = ocix_repository_letters(svchp, errhp, &held);
    if (status != OCI_SUCCESS) {
        checkerr(errhp, status);
        return false;
    }
    g_tablename[0] = '\0';
    if (held == OCIX_LETTERS_BYTES) return true;
    int latin1 = -1, utf8 = -1;  // the first file of each kind
    FileLetters seen[2];
    for (int i = 0; i < count; ++i) {
        FileLetters f = scan_letters(files[i]);
        if (!f.readable) {
            logmsg("ERROR: File cannot be read to its end: %s \n", paths[i]);
            return false;
        }
        if (f.kind == FileLetters::Utf8 && f.wide_line && held == OCIX_LETTERS_LATIN1) {
            logmsg("ERROR: File holds a letter that the repository's database (LATIN1) cannot hold @ line %d: %s; "
                   "write the line without it, or keep the repository in a database whose encoding is UTF8 \n",
                   f.wide_line, paths[i]);
            return false;
        }
        if (f.kind == FileLetters::Latin1 && latin1 < 0) latin1 = i, seen[0] = f;
        if (f.kind == FileLetters::Utf8 && utf8 < 0) utf8 = i, seen[1] = f;
    }
    // One run, one encoding: the server could not tell whose letters a
    // stored row holds.
    if (latin1 >= 0 && utf8 >= 0) {
        logmsg("ERROR: File is Latin-1 text @ line %d: %s, and %s is UTF-8 text @ line %d; save the files in one "
               "encoding (UTF-8) and parse them again \n",
               seen[0].latin1_line, paths[latin1], paths[utf8], seen[1].first_line);
        return false;
    }
    std::snprintf(g_tablename, sizeof g_tablename, "%s", "text encoding");
    status = ocix_text_encoding(svchp, errhp, latin1 >= 0 ? OCIX_TEXT_LATIN1 : OCIX_TEXT_UTF8);
    if (status != OCI_SUCCESS) {
        checkerr(errhp, status);
        return false;
    }
    g_tablename[0] = '\0';
    return true;
}
