#include "support/Golden.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

bool Regenerating() {
    const char* update = std::getenv("QUILL_UPDATE_GOLDEN");
    return update != nullptr && std::string(update) == "1";
}

// The line of text numbered index (from 0), without its line end.
std::string LineAt(const std::string& text, size_t index) {
    std::istringstream in(text);
    std::string line;
    for (size_t i = 0; i <= index && std::getline(in, line); ++i) {
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

} // namespace

std::string tGoldenRun::Option(const std::string& key, const std::string& fallback) const {
    const auto found = Options.find(key);
    return found == Options.end() ? fallback : found->second;
}

int tGoldenRun::Number(const std::string& key, int fallback) const {
    const std::string text = Option(key);
    return text.empty() ? fallback : std::stoi(text);
}

std::vector<tGoldenRun> GoldenRuns(const std::string& prefix) {
    std::vector<tGoldenRun> runs;
    const char* root = std::getenv("QUILL_TEST_DATA");
    if (root == nullptr || !std::filesystem::is_directory(root)) {
        ADD_FAILURE() << "QUILL_TEST_DATA does not name the folder of the golden test data";
        return runs;
    }
    std::vector<std::filesystem::path> folders;
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
        if (entry.is_directory() && std::filesystem::exists(entry.path() / "options")) {
            folders.push_back(entry.path());
        }
    }
    std::sort(folders.begin(), folders.end());
    for (const std::filesystem::path& folder : folders) {
        std::istringstream lines(ReadBytes(folder / "options"));
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream words(line);
            tGoldenRun run{folder, {}, {}};
            if (!(words >> run.File) || run.File.front() == '#') {
                continue;
            }
            for (std::string word; words >> word;) {
                const size_t equals = word.find('=');
                if (equals == std::string::npos) {
                    ADD_FAILURE() << folder / "options"
                                  << ": \"" << word << "\" is not key=value";
                    continue;
                }
                run.Options[word.substr(0, equals)] = word.substr(equals + 1);
            }
            if (run.File.starts_with(prefix)) {
                runs.push_back(std::move(run));
            }
        }
    }
    return runs;
}

void ExpectGolden(const tGoldenRun& run, const std::string& actual) {
    const std::filesystem::path path = run.Folder / run.File;
    if (Regenerating()) {
        WriteBytes(path, actual);
        return;
    }
    if (!std::filesystem::exists(path)) {
        ADD_FAILURE() << path << " is missing (QUILL_UPDATE_GOLDEN=1 writes it)";
        return;
    }
    const std::string expected = ReadBytes(path);
    if (expected == actual) {
        return;
    }
    const auto differs = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first;
    const auto line = static_cast<size_t>(std::count(expected.begin(), differs, '\n'));
    ADD_FAILURE() << path << " differs at line " << line + 1 << ":\n  expected: \"" << LineAt(expected, line)
                  << "\"\n  actual:   \"" << LineAt(actual, line) << "\"\n(" << expected.size()
                  << " bytes expected, " << actual.size() << " made)";
}
