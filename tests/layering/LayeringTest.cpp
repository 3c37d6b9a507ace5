// The program's folders depend on each other one way, floor by floor: a file
// includes only headers of its own folder and of the folders its library
// links (the rules the build writes to layers.txt), and no two files include
// each other, directly or through others.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Folder -> the folders its files may include.
using tLayerRules = std::map<std::string, std::set<std::string>>;

tLayerRules ReadRules(const fs::path& path) {
    tLayerRules rules;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        std::istringstream allowed(line.substr(colon + 1));
        std::set<std::string>& folders = rules[line.substr(0, colon)];
        for (std::string folder; allowed >> folder;) {
            folders.insert(folder);
        }
    }
    return rules;
}

struct tInclude {
    std::string File; // "book/Adds.cpp"
    int Line = 0;
    std::string Header; // "master/SpellFilter.h"
};

// Every quoted include of every source file directly inside a ruled folder
// under root; a header named without a folder is one of the file's own.
std::vector<tInclude> Includes(const fs::path& root, const tLayerRules& rules) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<tInclude> includes;
    for (const auto& [folder, allowed] : rules) {
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(root / folder, error)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) {
                continue;
            }
            const std::string file = folder + "/" + entry.path().filename().string();
            std::ifstream in(entry.path());
            std::string text;
            std::smatch match;
            for (int number = 1; std::getline(in, text); ++number) {
                if (std::regex_search(text, match, include)) {
                    std::string header = match[1];
                    if (header.find('/') == std::string::npos) {
                        header = folder + "/" + header;
                    }
                    includes.push_back({file, number, header});
                }
            }
        }
    }
    std::sort(includes.begin(), includes.end(), [](const tInclude& a, const tInclude& b) {
        return std::tie(a.File, a.Line) < std::tie(b.File, b.Line);
    });
    return includes;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find('/'));
}

// "file:line includes header", for each include of a folder the file's folder
// may not use.
std::vector<std::string> LayerViolations(const fs::path& root, const tLayerRules& rules) {
    std::vector<std::string> violations;
    for (const tInclude& include : Includes(root, rules)) {
        const std::set<std::string>& allowed = rules.at(FolderOf(include.File));
        const std::string used = FolderOf(include.Header);
        if (rules.count(used) && !allowed.count(used)) {
            violations.push_back(include.File + ":" + std::to_string(include.Line) + " includes " +
                                 include.Header);
        }
    }
    return violations;
}

// A file and its header are one unit ("ui/FrmMain"). Returns each circle of
// units that include each other, as "a -> b -> a".
std::vector<std::string> IncludeCircles(const fs::path& root, const tLayerRules& rules) {
    auto unit = [](const std::string& path) { return fs::path(path).replace_extension().string(); };
    std::map<std::string, std::set<std::string>> uses;
    for (const tInclude& include : Includes(root, rules)) {
        const std::string from = unit(include.File);
        const std::string to = unit(include.Header);
        uses[from];
        if (from != to && rules.count(FolderOf(include.Header))) {
            uses[from].insert(to);
        }
    }
    std::vector<std::string> circles;
    std::map<std::string, int> state; // 0 unseen, 1 on the path, 2 done
    std::vector<std::string> path;
    std::function<void(const std::string&)> visit = [&](const std::string& at) {
        state[at] = 1;
        path.push_back(at);
        for (const std::string& next : uses[at]) {
            if (state[next] == 1) {
                std::string circle;
                for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it) {
                    circle += *it + " -> ";
                }
                circles.push_back(circle + next);
            } else if (state[next] == 0) {
                visit(next);
            }
        }
        path.pop_back();
        state[at] = 2;
    };
    for (const auto& [at, next] : uses) {
        if (state[at] == 0) {
            visit(at);
        }
    }
    return circles;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

const tLayerRules& ProgramRules() {
    static const tLayerRules rules = ReadRules(QUILL_LAYERS_FILE);
    return rules;
}

fs::path Fixture(const std::string& name) {
    return fs::path(QUILL_SOURCE_DIR) / "tests" / "data" / "layering" / name;
}

} // namespace

TEST(Layering, TheProgramKeepsItsFloors) {
    const tLayerRules& rules = ProgramRules();
    ASSERT_TRUE(rules.count("model") && rules.count("frame") && rules.count("ui") && rules.count("cli"));
    // Siblings do not use each other; nothing below the frame uses it.
    EXPECT_FALSE(rules.at("book").count("master"));
    EXPECT_FALSE(rules.at("master").count("maintenance"));
    EXPECT_FALSE(rules.at("maintenance").count("book"));
    EXPECT_FALSE(rules.at("output").count("app"));
    EXPECT_FALSE(rules.at("book").count("frame"));
    EXPECT_TRUE(rules.at("frame").count("book") && rules.at("frame").count("master"));
    EXPECT_TRUE(rules.at("files").count("model"));

    const std::vector<std::string> violations = LayerViolations(QUILL_SOURCE_DIR, rules);
    EXPECT_TRUE(violations.empty()) << Lines(violations);
    const std::vector<std::string> circles = IncludeCircles(QUILL_SOURCE_DIR, rules);
    EXPECT_TRUE(circles.empty()) << Lines(circles);
}

TEST(Layering, ASiblingOrAFloorAboveIsFound) {
    EXPECT_EQ(LayerViolations(Fixture("crossing"), ProgramRules()),
              (std::vector<std::string>{"book/Adds.cpp:3 includes frame/MainFrame.h",
                                        "book/Adds.cpp:4 includes master/SpellFilter.h"}));
}

TEST(Layering, FilesThatIncludeEachOtherAreFound) {
    EXPECT_EQ(IncludeCircles(Fixture("circle"), ProgramRules()),
              (std::vector<std::string>{"ui/First -> ui/Second -> ui/First"}));
}
