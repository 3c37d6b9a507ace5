#pragma once
// Helpers shared by the core test suites.

#include "model/SpellBook.h"

#include <algorithm>
#include <filesystem>
#include <istream>
#include <memory>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

// A spell with the given level and name; the other fields are optional.
std::unique_ptr<tSpell> MakeSpell(int32_t level, const std::string& name, int32_t frequency = 0,
                                  const std::string& category = "", const std::string& book = "PHB",
                                  int32_t page = 1, bool memorized = false);

// A master list of 12 spells for each level and each of the eight schools
// ("abj spell 3-7"), their frequencies cycling through Common to Restricted.
std::unique_ptr<TSpellBook> MakeSchoolMaster();

// The names of the book's spells in book order (moves the cursor).
std::vector<std::string> NamesOf(TSpellBook& book);

// A fresh, empty folder removed again when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return FPath; }
    std::filesystem::path operator/(const std::string& name) const { return FPath / name; }

private:
    std::filesystem::path FPath;
};

// File systems mounted for one test and unmounted when the object goes (in
// the reverse order). Mounting needs root: each call answers false where this
// user may not mount, and the test then leaves that case out.
class tTestMounts {
public:
    tTestMounts() = default;
    ~tTestMounts();
    tTestMounts(const tTestMounts&) = delete;
    tTestMounts& operator=(const tTestMounts&) = delete;

    // A memory file system of at most bytes bytes on the folder (made when
    // missing).
    bool SmallDisk(const std::filesystem::path& folder, size_t bytes);
    // The disk mounted on folder left with no room: a file "filler" takes
    // what there was.
    static bool Fill(const std::filesystem::path& folder);
    // The file from mounted onto the file onto (which then cannot be renamed
    // over).
    bool Bind(const std::filesystem::path& from, const std::filesystem::path& onto);
    // The file system mounted on folder made read-only.
    bool ReadOnly(const std::filesystem::path& folder);

private:
    std::vector<std::filesystem::path> Points;
};

// Whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// An input stream whose device hands out its text a few bytes at a time and
// then fails, for testing how readers meet read errors.
class tFailingBuffer : public std::streambuf {
public:
    explicit tFailingBuffer(std::string text) : Text(std::move(text)) {}

protected:
    int_type underflow() override {
        if (Given >= Text.size()) {
            throw std::runtime_error("device error");
        }
        const size_t n = std::min<size_t>(4, Text.size() - Given);
        setg(Text.data() + Given, Text.data() + Given, Text.data() + Given + n);
        Given += n;
        return traits_type::to_int_type(*gptr());
    }

private:
    std::string Text;
    size_t Given = 0;
};

class tFailingStream : public std::istream {
public:
    explicit tFailingStream(std::string text) : std::istream(nullptr), Buffer(std::move(text)) {
        rdbuf(&Buffer);
    }

private:
    tFailingBuffer Buffer;
};
