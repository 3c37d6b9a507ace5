#pragma once
// The program's version, one for the windows, the command-line companion and
// the package: the build takes it from the project's version.

#include <string_view>

// "5.0", for instance.
std::string_view ProgramVersion();
