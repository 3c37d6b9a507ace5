// Writes the benchmarks' master list (support/BenchData.h, MakeListBook) to a
// file, sorted or shuffled, for timing the program itself on it:
//   make_master_file COUNT sorted|shuffled PATH
#include "support/BenchData.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4 || (std::string(argv[2]) != "sorted" && std::string(argv[2]) != "shuffled")) {
        std::fprintf(stderr, "usage: make_master_file COUNT sorted|shuffled PATH\n");
        return 2;
    }
    const auto count = static_cast<int32_t>(std::strtol(argv[1], nullptr, 10));
    const std::string& bytes = ListBytes(count, std::string(argv[2]) == "shuffled");
    std::ofstream out(argv[3], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.good() ? 0 : 1;
}
