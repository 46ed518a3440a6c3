#pragma once

#include <charconv>
#include <string>
#include <string_view>

// The text of one stat line, built in one string reserved once: a line of labels and
// numbers that operator+ would build in half a dozen temporaries.
class StatLineText {
  public:
    StatLineText() { text_.reserve(kTypicalLength); }

    StatLineText& operator<<(std::string_view part) {
        text_.append(part);
        return *this;
    }
    StatLineText& operator<<(long long number) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        text_.append(digits, end);
        return *this;
    }
    StatLineText& operator<<(int number) { return *this << static_cast<long long>(number); }
    StatLineText& operator<<(unsigned number) { return *this << static_cast<long long>(number); }

    std::string Take() { return std::move(text_); }

  private:
    // Longer than the longest line of ordinary numbers (the field goal line).
    static constexpr std::size_t kTypicalLength = 128;
    std::string text_;
};
