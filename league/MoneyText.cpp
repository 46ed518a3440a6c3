#include "league/MoneyText.h"

#include <cstdint>
#include <limits>

std::string FormatCommas(unsigned int number) {
    const std::string digits = std::to_string(number);
    std::string result;
    result.reserve(digits.size() + digits.size() / 3 + 1);
    int count = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        result.insert(result.begin(), *it);
        if (++count == 3) {
            result.insert(result.begin(), ',');
            count = 0;
        }
    }
    // A number of digits that is a multiple of three leaves a comma in front of the leftmost group.
    if (count == 0)
        result.erase(0, 1);
    return result;
}

std::string FormatMoney(unsigned int amount) {
    return "$" + FormatCommas(amount);
}

int RemoveCommas(std::string text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    bool anyDigit = false;
    for (char c : text) {
        if (c < '0' || c > '9')
            continue;
        anyDigit = true;
        value = value * 10 + (c - '0');
        if (value > kMax)
            throw ConversionError("'" + text + "' is not a valid integer value");
    }
    if (!anyDigit)
        throw ConversionError("'" + text + "' is not a valid integer value");
    return static_cast<int>(value);
}
