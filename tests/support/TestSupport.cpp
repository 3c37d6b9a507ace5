#include "support/TestSupport.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

std::unique_ptr<tSpell> MakeSpell(int32_t level, const std::string& name, int32_t frequency,
                                  const std::string& category, const std::string& book, int32_t page,
                                  bool memorized) {
    return tSpell::Create(level, name, book, page, frequency, category, memorized);
}

std::vector<std::string> NamesOf(TSpellBook& book) {
    std::vector<std::string> names;
    for (book.First(); book.Current(); book.Next()) {
        names.push_back(book.CurrentName());
    }
    return names;
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    FPath = std::filesystem::temp_directory_path() /
            ("quill-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(FPath, ec);
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::unique_ptr<TSpellBook> MakeSchoolMaster() {
    static const char* const schools[] = {"abj", "alt", "c/s", "div", "e/c", "i/e", "ill", "nec"};
    auto master = TSpellBook::Create(0, 0, 0, "");
    for (int level = 1; level <= 9; ++level) {
        for (const char* school : schools) {
            for (int k = 0; k < 12; ++k) {
                master->AddSpell(MakeSpell(
                    level, std::string(school) + " spell " + std::to_string(level) + "-" + std::to_string(k),
                    -(k % 5), school));
            }
        }
    }
    return master;
}
