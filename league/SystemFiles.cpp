#include "league/SystemFiles.h"

#include <chrono>
#include <memory>
#include <random>

namespace tolvik {
namespace {

SystemFiles* gFiles = nullptr;

} // namespace

std::uint64_t FreshSeed(std::uint64_t processId) {
    std::random_device device;
    return device() ^ (processId << 32) ^
           static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

const char* FileErrorText(FileError error) {
    switch (error) {
    case FileError::None:
        return "no error";
    case FileError::NotFound:
        return "no such file or folder";
    case FileError::AccessDenied:
        return "permission denied";
    case FileError::DiskFull:
        return "disk full";
    case FileError::NameTooLong:
        return "file name too long";
    case FileError::Exists:
        return "a file of that name exists";
    case FileError::InUse:
        return "in use by another program";
    case FileError::LockUnsupported:
        return "the file system does not support locks";
    case FileError::ReadOnlyDisk:
        return "the disk is read-only";
    case FileError::Interrupted:
        return "interrupted";
    case FileError::NotRegular:
        return "not a regular file";
    case FileError::Other:
        break;
    }
    return "input/output error";
}

bool SystemFiles::CopyData(Native in, Native out) {
    const std::size_t blockSize = BlockFor(Size(in), 256 * 1024);
    const auto block = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize);
    std::int64_t at = 0;
    for (;;) {
        const std::int64_t n = ReadAt(in, block.get(), blockSize, at);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (!WriteAt(out, block.get(), static_cast<std::size_t>(n), at))
            return false;
        at += n;
    }
}

SystemFiles& Files() {
    return gFiles ? *gFiles : SystemDefaultFiles();
}

SystemFiles* UseFiles(SystemFiles* files) {
    SystemFiles* previous = gFiles ? gFiles : &SystemDefaultFiles();
    gFiles = files;
    return previous;
}

} // namespace tolvik
