#include "cli/Cli.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    int status =
        RunCli(args, std::cout, std::cerr, {::isatty(STDOUT_FILENO) == 1, ::isatty(STDERR_FILENO) == 1});
    std::cout.flush();
    if (!std::cout && status == ExitSuccess) {
        std::cerr << "quillmark-cli: standard output cannot be written\n";
        status = ExitFileFailure;
    }
    return status;
}
