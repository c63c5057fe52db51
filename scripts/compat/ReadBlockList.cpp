// Reads a block list file with the reader of the source tree it is built with
// and prints its lines, one per line, as that reader holds them:
//   read-blocklist <file>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "blocking/BlockListFormat.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: read-blocklist <file>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const std::string& line : ParseBlockListBytes(bytes)) std::printf("%s\n", line.c_str());
    return 0;
}
