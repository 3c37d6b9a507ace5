#include "app/NumberBox.h"

#include <algorithm>
#include <charconv>
#include <system_error>

int32_t NumberBoxValue(const std::string& text, int32_t min, int32_t max) {
    size_t begin = text.find_first_not_of(' ');
    size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos) {
        return min;
    }
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+') {
        ++first;
    }
    long long value = 0;
    auto [stop, error] = std::from_chars(first, last, value);
    if (stop != last) {
        return min;
    }
    if (error == std::errc::result_out_of_range) {
        return *first == '-' ? min : max;
    }
    if (error != std::errc()) {
        return min;
    }
    return static_cast<int32_t>(std::clamp<long long>(value, min, max));
}
