#include "support/TestSupport.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/mount.h>
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

tTestMounts::~tTestMounts() {
    for (auto it = Points.rbegin(); it != Points.rend(); ++it) {
        ::umount2(it->c_str(), MNT_DETACH);
    }
}

bool tTestMounts::SmallDisk(const std::filesystem::path& folder, size_t bytes) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    if (::mount("quill-test", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return false;
    }
    Points.push_back(folder);
    return true;
}

bool tTestMounts::Fill(const std::filesystem::path& folder) {
    const int fd = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const std::string block(4096, 'f');
    while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

bool tTestMounts::Bind(const std::filesystem::path& from, const std::filesystem::path& onto) {
    if (::mount(from.c_str(), onto.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        return false;
    }
    Points.push_back(onto);
    return true;
}

bool tTestMounts::ReadOnly(const std::filesystem::path& folder) {
    return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
