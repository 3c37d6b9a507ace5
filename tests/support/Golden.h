#pragma once
// Golden test data: tests/data/<case>/ folders, each holding an input book,
// an "options" file naming the expected outputs and how to make them, and the
// expected outputs themselves. The tests find the folder through the
// environment variable QUILL_TEST_DATA; with QUILL_UPDATE_GOLDEN=1 they write
// what they produce over the expected files instead of comparing (look at the
// changes before committing them).

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// One expected output of a case: the file holding it and the options of the
// run that makes it ("key=value" words after the file's name).
struct tGoldenRun {
    std::filesystem::path Folder;
    std::string File;
    std::map<std::string, std::string> Options;

    // The option's value, or fallback when the run does not give it.
    std::string Option(const std::string& key, const std::string& fallback = "") const;
    int Number(const std::string& key, int fallback) const;
};

// Every run of every case folder whose expected file name starts with prefix,
// in folder and line order. Fails the current test when QUILL_TEST_DATA is
// not set or names no folder, or when a line of an options file is malformed.
std::vector<tGoldenRun> GoldenRuns(const std::string& prefix);

// Compares actual with the run's expected file, reporting the first line that
// differs; with QUILL_UPDATE_GOLDEN=1 writes actual into the file instead.
void ExpectGolden(const tGoldenRun& run, const std::string& actual);
