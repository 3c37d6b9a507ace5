#pragma once
// The command line of one subcommand: positional arguments and options. An
// option is "--name VALUE", "--name=VALUE" or a flag "--name"; "-o" is the one
// short option. "--" ends the options: every argument after it is positional.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct tOptionSpec {
    std::string_view Name; // with its dashes: "--level", "-o"
    bool TakesValue = false;
};

class tArguments {
public:
    std::vector<std::string> Positional;

    bool Has(std::string_view name) const { return Options.find(name) != Options.end(); }
    // The option's value; none when it was not given (or is a flag).
    std::optional<std::string> Value(std::string_view name) const;

    std::map<std::string, std::string, std::less<>> Options;
};

// Sorts args into positional arguments and the options of specs. Returns
// false with a one-line message for an option not in specs, an option lacking
// its value, a value given to a flag, or an option given twice. The argument
// after an option that takes a value is always its value, even when it starts
// with a dash ("--page -3").
bool ParseArguments(const std::vector<std::string>& args, const std::vector<tOptionSpec>& specs,
                    tArguments& parsed, std::string& message);

// True when args holds "--help" or "-h" before any "--".
bool AsksForHelp(const std::vector<std::string>& args);

// A whole decimal number with an optional sign, nothing else, within
// min..max. False for anything else.
bool ParseWholeNumber(std::string_view text, int64_t min, int64_t max, int64_t& value);

// A seed: decimal digits only, 0 to 2^64 - 1.
bool ParseSeed(std::string_view text, uint64_t& seed);

// Nine whole numbers of at least 0, separated by commas, into counts[1..9];
// counts[0] is set to 0. False, with counts untouched, for any other text.
bool ParseLevelCounts(std::string_view text, std::array<int32_t, 10>& counts);
