// Writes generated SQL of the given size (bytes) to a file: gensql SIZE FILE.

#include "GeneratedSql.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: quodra-bench-gensql SIZE FILE\n";
        return 2;
    }
    std::ofstream(argv[2], std::ios::binary) << GenerateSql(std::strtoull(argv[1], nullptr, 10));
    return 0;
}
