#pragma once

#include "contracts/Offer.h"

#include <cstdint>
#include <string>
#include <vector>

// What reading an offer file found: its complete records up to the number asked for, and
// what was left unread, so that a caller can list the offers and say what it did not take.
struct OfferFileContents {
    std::vector<Offer> offers;
    // Why the file could not be read ("" when it could); offers then holds what was read
    // before the failure.
    std::string error;
    bool missing = false;  // no file of that name
    std::int64_t size = 0; // the file's length in bytes
    int unreadRecords = 0; // complete records beyond those asked for
    int partialBytes = 0;  // the bytes of a partial record at the end, which is ignored
};

// Reads the first `most` 20-byte records of an offer file. Only regular files are read (a
// folder or a device is reported, never opened), and never more bytes than those records.
OfferFileContents ReadOfferFile(const std::string& path, int most);
