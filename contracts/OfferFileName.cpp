#include "contracts/OfferFileName.h"

#include <string_view>

std::string OfferFileName(const std::string& clubName) {
    static constexpr std::string_view kForbidden = "/\\:*?\"<>|";
    std::string name = clubName;
    for (char& c : name) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F || kForbidden.find(c) != std::string_view::npos)
            c = '_';
    }
    return name + ".off";
}
