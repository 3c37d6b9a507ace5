#pragma once
// The windowed program's own command line: "--help" and "--version" are
// answered on standard output before any window is made, and the program
// ends; every other argument is left to the windowing toolkit.

#include <string>
#include <vector>

enum class tCommandLineRequest { StartWindows, Help, Version };

// What the arguments after the program's name ask for: the first of "--help"
// (or "-h") and "--version" among them, else the windows.
tCommandLineRequest ReadCommandLine(const std::vector<std::string>& args);

// "quillmark " and the version, on a line.
std::string VersionText();

// What the program is and where its files are, as FileLocations() and the
// settings file there say: the settings, the specialty list, the master list
// in use, the installed sample list, the help file and the data directory.
std::string HelpText();
