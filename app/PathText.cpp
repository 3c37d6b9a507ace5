#include "app/PathText.h"

#include <algorithm>

std::string MessagePath(const std::string& path) {
    return PathMark + path + PathMark;
}

std::string WithoutPathMarks(const std::string& text) {
    std::string out = text;
    out.erase(std::remove(out.begin(), out.end(), PathMark), out.end());
    return out;
}

std::string FileErrorDetail(const std::string& path, FileError error) {
    return MessagePath(path) + "\r\n" + ExplainFileError(path, error);
}
