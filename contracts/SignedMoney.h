#pragma once

#include <cstdint>
#include <string>

// Money text of a signed amount: "-$1,000" below zero, the FormatMoney text otherwise.
std::string SignedMoney(std::int64_t amount);
