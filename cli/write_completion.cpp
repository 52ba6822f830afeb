// Writes the bash completion script, built from the command table, to the file
// named on its command line. Run at build time.
#include "cli/command_table.h"

#include <cstdio>
#include <fstream>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: write_completion FILE\n", stderr);
        return 2;
    }
    std::ofstream file(argv[1], std::ios::binary);
    file << spirelle::cli::BashCompletion();
    file.close();
    if (!file) {
        std::fprintf(stderr, "write_completion: %s could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}
