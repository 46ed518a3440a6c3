#include "contracts/TextToInt.h"

#include "league/MoneyText.h"

#include <cstdint>
#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

int TextToInt(const std::string& text) {
    const auto fail = [&text]() { return ConversionError("'" + text + "' is not a valid integer value"); };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
        negative = text[begin] == '-';
        ++begin;
    }
    if (begin == end)
        throw fail();
    // One more than the largest value, so that -2,147,483,648 fits.
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t value = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw fail();
        value = value * 10 + (c - '0');
        if (value > kLimit)
            throw fail();
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        throw fail();
    return static_cast<int>(value);
}

int MoneyTextToInt(const std::string& text) {
    std::string plain;
    bool digits = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',' && digits)
            continue;
        if (c == '$' && !digits && plain.find_first_not_of(" \t+-") == std::string::npos)
            continue;
        digits = digits || (c >= '0' && c <= '9');
        plain += c;
    }
    try {
        return TextToInt(plain);
    } catch (const ConversionError&) {
        throw ConversionError("'" + text + "' is not a valid amount");
    }
}
