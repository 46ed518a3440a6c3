#include "contracts/SignedMoney.h"

#include "league/MoneyText.h"

#include <algorithm>
#include <limits>

std::string SignedMoney(std::int64_t amount) {
    const std::int64_t magnitude = amount < 0 ? -amount : amount;
    const std::string text = FormatMoney(static_cast<unsigned int>(
        std::min<std::int64_t>(magnitude, std::numeric_limits<unsigned int>::max())));
    return amount < 0 ? "-" + text : text;
}
