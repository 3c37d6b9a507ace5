#include "cli/Arguments.h"

#include <charconv>
#include <limits>

std::optional<std::string> tArguments::Value(std::string_view name) const {
    const auto it = Options.find(name);
    if (it == Options.end()) {
        return std::nullopt;
    }
    return it->second;
}

namespace {

const tOptionSpec* FindSpec(const std::vector<tOptionSpec>& specs, std::string_view name) {
    for (const tOptionSpec& spec : specs) {
        if (spec.Name == name) {
            return &spec;
        }
    }
    return nullptr;
}

bool IsOptionLike(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-';
}

} // namespace

bool ParseArguments(const std::vector<std::string>& args, const std::vector<tOptionSpec>& specs,
                    tArguments& parsed, std::string& message) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !IsOptionLike(arg)) {
            parsed.Positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string> inlineValue;
        if (const size_t eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
            inlineValue = std::string(name.substr(eq + 1));
            name = name.substr(0, eq);
        }
        const tOptionSpec* spec = FindSpec(specs, name);
        if (!spec) {
            message = "unknown option " + std::string(name);
            return false;
        }
        if (parsed.Has(name)) {
            message = std::string(name) + " is given twice";
            return false;
        }
        std::string value;
        if (spec->TakesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                message = std::string(name) + " needs a value";
                return false;
            }
        } else if (inlineValue) {
            message = std::string(name) + " takes no value";
            return false;
        }
        parsed.Options.emplace(std::string(name), std::move(value));
    }
    return true;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") {
            return false;
        }
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
}

bool ParseWholeNumber(std::string_view text, int64_t min, int64_t max, int64_t& value) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) {
            return false;
        }
    }
    int64_t number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || number < min ||
        number > max) {
        return false;
    }
    value = number;
    return true;
}

bool ParseSeed(std::string_view text, uint64_t& seed) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    uint64_t number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    seed = number;
    return true;
}

bool ParseLevelCounts(std::string_view text, std::array<int32_t, 10>& counts) {
    std::array<int32_t, 10> result{};
    size_t filled = 1;
    while (true) {
        const size_t comma = text.find(',');
        int64_t n = 0;
        if (!ParseWholeNumber(text.substr(0, comma), 0, std::numeric_limits<int32_t>::max(), n)) {
            return false;
        }
        if (filled == result.size()) {
            return false;
        }
        result[filled++] = static_cast<int32_t>(n);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (filled != result.size()) {
        return false;
    }
    counts = result;
    return true;
}
