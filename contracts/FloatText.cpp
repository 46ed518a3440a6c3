#include "contracts/FloatText.h"

#include "league/MoneyText.h"

#include <charconv>
#include <cmath>

namespace {

// Beyond this length the fixed form is a long row of zeros; the exponent form reads better.
constexpr std::ptrdiff_t kLongestFixed = 24;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string FloatToText(double value) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr - buffer > kLongestFixed)
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FloatToText(double value, int significantDigits) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, significantDigits);
    double rounded = value;
    if (result.ec == std::errc())
        std::from_chars(buffer, result.ptr, rounded);
    return FloatToText(rounded);
}

double TextToFloat(const std::string& text) {
    const auto fail = [&text]() {
        return ConversionError("'" + text + "' is not a valid floating point value");
    };
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    // from_chars takes a minus sign but no plus sign; "+-1" is no number.
    if (begin < end && *begin == '+') {
        ++begin;
        if (begin < end && *begin == '-')
            throw fail();
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
    if (begin == end || ec != std::errc() || ptr != end || !std::isfinite(value))
        throw fail();
    return value;
}
