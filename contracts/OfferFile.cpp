#include "contracts/OfferFile.h"

#include "league/FileAccess.h"
#include "league/SystemFiles.h"

#include <algorithm>

OfferFileContents ReadOfferFile(const std::string& path, int most) {
    OfferFileContents read;
    const tolvik::FileInfo info = tolvik::StatPath(path, true);
    if (!info.exists) {
        read.missing = true;
        read.error = tolvik::FileErrorText(tolvik::FileError::NotFound);
        return read;
    }
    if (!info.regular) {
        read.error = "not a file";
        return read;
    }
    tolvik::FileError openError = tolvik::FileError::None;
    const int handle = tolvik::FileOpen(path, tolvik::OpenHow::Read, &openError);
    if (handle <= 0) {
        read.error = tolvik::FileErrorText(openError);
        return read;
    }
    // The length now, not the one seen before opening: the file may have changed between.
    read.size = tolvik::FileSize(handle);
    if (read.size < 0) {
        read.error = tolvik::FileErrorText(tolvik::FileHandleError(handle));
        read.size = 0;
        tolvik::FileClose(handle);
        return read;
    }
    const std::int64_t complete = read.size / Offer::kRecordSize;
    const int wanted = static_cast<int>(std::min<std::int64_t>(complete, std::max(0, most)));
    read.offers.reserve(static_cast<std::size_t>(wanted));
    std::uint8_t record[Offer::kRecordSize];
    while (static_cast<int>(read.offers.size()) < wanted) {
        const int got = tolvik::FileRead(handle, record, Offer::kRecordSize);
        if (got != Offer::kRecordSize) {
            // Shorter than its length said: it is being written or was cut meanwhile.
            read.error =
                got < 0 ? tolvik::FileErrorText(tolvik::FileHandleError(handle)) : "shorter than its length";
            break;
        }
        read.offers.push_back(Offer::Decode(record, sizeof record));
    }
    tolvik::FileClose(handle);
    read.unreadRecords = static_cast<int>(complete - static_cast<std::int64_t>(read.offers.size()));
    read.partialBytes = static_cast<int>(read.size % Offer::kRecordSize);
    if (!read.error.empty())
        read.unreadRecords = 0;
    return read;
}
