// Writes the sample network grown to N copies (every block kind of every
// section, in every copy) into DIR as its five section files, for loads run
// from a shell: write_network N DIR.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sample_network.h"

int main(int argc, char **argv) {
    if (argc != 3 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: write_network COPIES DIR\n");
        return 2;
    }
    auto files = sample::network(std::atoi(argv[1]));
    size_t total = 0;
    for (size_t f = 0; f < files.size(); ++f) {
        std::string path = std::string(argv[2]) + "/" + sample::kFiles[f];
        FILE *fp = std::fopen(path.c_str(), "wb");
        if (!fp || std::fwrite(files[f].data(), 1, files[f].size(), fp) != files[f].size() || std::fclose(fp) != 0) {
            std::fprintf(stderr, "write_network: cannot write %s\n", path.c_str());
            return 1;
        }
        total += files[f].size();
    }
    std::printf("%zu\n", total);
    return 0;
}
