#pragma once
// quillmark-cli: the spellbook jobs of the program without its windows. Every
// subcommand calls the same core functions the windows call.

#include <ostream>
#include <string>
#include <vector>

constexpr int ExitSuccess = 0;
// A file could not be read, is not a spellbook or spell list, or an output
// could not be written.
constexpr int ExitFileFailure = 1;
// The command line is wrong: unknown command or option, a missing or bad value.
constexpr int ExitBadArguments = 2;

// Which of the two streams show on a terminal.
struct tTerminals {
    bool Out = false;
    bool Err = false;
};

// Runs one command line; args are the arguments after the program's name.
// Output files and the book texts go to out; err receives one line when the
// run fails (and nothing else then), and on success only what a subcommand
// writes there by its description (validate's removed spells). An output file
// is written in full or, on any failure, not touched at all. Returns the exit
// status. Sets the program's random source and selection odds.
//
// What goes to a stream that terminals names is shown safely: a file's control
// characters (tTerminalText) appear as '?', so they cannot steer the terminal.
// Other streams get every byte as it is.
//
// A failed allocation ends the run with exit status 1 and one line ("out of
// memory reading <file>" while a file is read). A signal that would end the
// program while new --count writes its books is held until what the run made
// is removed, then ends the program.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           tTerminals terminals = {});
