#pragma once

#include <cstdint>
#include <string>

// A count with its noun in the right number: "1 record", "3 records".
inline std::string CountText(std::int64_t n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
