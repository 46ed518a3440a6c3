// Handles of the file layer: a table of open files, each with a window of its bytes held
// in memory, so that the readers can take a byte at a time without a system call each.
#include "league/FileHandles.h"

#include "league/FileAccess.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace tolvik {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// The smallest window a handle allocates for writing.
constexpr std::size_t kFirstWindow = 4 * 1024;

// One open file: a window of the file held in memory, with a dirty flag. Reads are
// served from the window; writes go into it while they stay contiguous with it.
struct OpenFile {
    SystemFiles::Native file = SystemFiles::kNoFile;
    std::int64_t pos = 0;      // logical position of the handle
    std::int64_t bufStart = 0; // file offset of buf[0]
    std::size_t bufLen = 0;    // valid bytes in buf
    bool dirty = false;
    bool modified = false;             // anything written since the open, or a created file
    FileError error = FileError::None; // why the handle's last failed call failed
    // Allocated when first used, no larger than the file being read or the bytes written so
    // far need (up to kBufferSize); not cleared: only bytes that arrived or were written are
    // ever used.
    std::unique_ptr<std::uint8_t[]> buf;
    std::size_t bufCap = 0;

    // Room for `wanted` bytes (at most kBufferSize) in the window, keeping its bytes.
    void Reserve(std::size_t wanted) {
        if (wanted <= bufCap)
            return;
        const std::size_t cap = std::min(kBufferSize, std::max({wanted, 2 * bufCap, kFirstWindow}));
        auto bigger = std::make_unique_for_overwrite<std::uint8_t[]>(cap);
        if (bufLen > 0)
            std::memcpy(bigger.get(), buf.get(), bufLen);
        buf = std::move(bigger);
        bufCap = cap;
    }

    bool Flush() {
        if (!dirty)
            return true;
        if (!Files().WriteAt(file, buf.get(), bufLen, bufStart))
            return Failed();
        dirty = false;
        return true;
    }

    // Keeps the system's reason for the call that just failed; returns false.
    bool Failed() {
        error = Files().LastError();
        return false;
    }

    // Drops the window (after flushing) and starts an empty one at the position.
    bool Restart() {
        bool ok = Flush();
        bufStart = pos;
        bufLen = 0;
        return ok;
    }
};

std::vector<std::unique_ptr<OpenFile>>& Table() {
    static std::vector<std::unique_ptr<OpenFile>> table;
    return table;
}

OpenFile* Lookup(int handle) {
    auto& table = Table();
    if (handle <= 0 || static_cast<std::size_t>(handle) > table.size())
        return nullptr;
    return table[static_cast<std::size_t>(handle) - 1].get();
}

int Register(SystemFiles::Native native) {
    auto file = std::make_unique<OpenFile>();
    file->file = native;
    auto& table = Table();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!table[i]) {
            table[i] = std::move(file);
            return static_cast<int>(i + 1);
        }
    }
    table.push_back(std::move(file));
    return static_cast<int>(table.size());
}

int OpenHandle(const std::string& path, OpenHow how, FileError* error) {
    std::string storage;
    const SystemFiles::Native native = Files().Open(NativePath(path, storage), how);
    if (native == SystemFiles::kNoFile) {
        Report(error, Files().LastError());
        return -1;
    }
    const int handle = Register(native);
    // A new file is new content.
    Lookup(handle)->modified = how == OpenHow::Create || how == OpenHow::CreateNew;
    return handle;
}

} // namespace

bool FileExists(const std::string& path) {
    const FileInfo info = StatPath(path, true);
    return info.exists && info.regular;
}

int FileOpen(const std::string& path, OpenHow how, FileError* error) {
    if (how == OpenHow::Read || how == OpenHow::ReadWrite) {
        const FileInfo info = StatPath(path, true);
        if (!info.exists || !info.regular) {
            Report(error, info.exists ? FileError::NotRegular : FileError::NotFound);
            return -1;
        }
    }
    return OpenHandle(path, how, error);
}

int FileAdopt(SystemFiles::Native native) {
    return native == SystemFiles::kNoFile ? -1 : Register(native);
}

int FileCreate(const std::string& path, FileError* error) {
    return OpenHandle(path, OpenHow::Create, error);
}

int FileCreateNew(const std::string& path, FileError* error) {
    return OpenHandle(path, OpenHow::CreateNew, error);
}

FileError FileHandleError(int handle) {
    const OpenFile* f = Lookup(handle);
    return f ? f->error : FileError::Other;
}

int FileRead(int handle, void* buffer, int count) {
    OpenFile* f = Lookup(handle);
    if (!f || count < 0)
        return -1;
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t wanted = static_cast<std::size_t>(count);
    std::size_t done = 0;
    while (done < wanted) {
        if (f->pos >= f->bufStart && f->pos < f->bufStart + static_cast<std::int64_t>(f->bufLen)) {
            std::size_t offset = static_cast<std::size_t>(f->pos - f->bufStart);
            std::size_t n = std::min(wanted - done, f->bufLen - offset);
            std::memcpy(out + done, f->buf.get() + offset, n);
            done += n;
            f->pos += static_cast<std::int64_t>(n);
            continue;
        }
        if (!f->Restart())
            return -1;
        if (wanted - done >= kBufferSize) {
            // A large read goes straight into the caller's memory.
            const std::int64_t n = Files().ReadAt(f->file, out + done, wanted - done, f->pos);
            if (n < 0) {
                f->Failed();
                return done > 0 ? static_cast<int>(done) : -1;
            }
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
            f->pos += n;
            f->bufStart = f->pos;
            continue;
        }
        if (f->bufCap < kBufferSize) {
            const std::int64_t size = Files().Size(f->file);
            f->Reserve(BlockFor(size < 0 ? -1 : std::max<std::int64_t>(size - f->pos, 0), kBufferSize));
        }
        const std::int64_t n = Files().ReadAt(f->file, f->buf.get(), f->bufCap, f->pos);
        if (n < 0) {
            f->Failed();
            return done > 0 ? static_cast<int>(done) : -1;
        }
        if (n == 0)
            break;
        f->bufLen = static_cast<std::size_t>(n);
    }
    return static_cast<int>(done);
}

int FileWrite(int handle, const void* buffer, int count) {
    OpenFile* f = Lookup(handle);
    if (!f || count < 0)
        return -1;
    f->modified = f->modified || count > 0;
    auto* in = static_cast<const std::uint8_t*>(buffer);
    std::size_t n = static_cast<std::size_t>(count);
    std::int64_t windowEnd = f->bufStart + static_cast<std::int64_t>(f->bufLen);
    bool contiguous =
        f->pos >= f->bufStart && f->pos <= windowEnd &&
        f->pos + static_cast<std::int64_t>(n) <= f->bufStart + static_cast<std::int64_t>(kBufferSize);
    if (!contiguous) {
        if (!f->Restart())
            return -1;
        if (n > kBufferSize) {
            if (!Files().WriteAt(f->file, in, n, f->pos)) {
                f->Failed();
                return -1;
            }
            f->pos += static_cast<std::int64_t>(n);
            f->bufStart = f->pos;
            return count;
        }
    }
    std::size_t offset = static_cast<std::size_t>(f->pos - f->bufStart);
    if (n != 0) {
        f->Reserve(offset + n);
        std::memcpy(f->buf.get() + offset, in, n);
    }
    f->bufLen = std::max(f->bufLen, offset + n);
    f->dirty = f->dirty || n != 0;
    f->pos += static_cast<std::int64_t>(n);
    return count;
}

std::int64_t FileSeek(int handle, std::int64_t offset) {
    OpenFile* f = Lookup(handle);
    if (!f || offset < 0)
        return -1;
    f->pos = offset;
    return offset;
}

bool FileEmpty(int handle) {
    OpenFile* f = Lookup(handle);
    if (!f)
        return false;
    // Buffered bytes belong to the content being dropped.
    f->dirty = false;
    f->pos = 0;
    f->bufStart = 0;
    f->bufLen = 0;
    f->modified = true;
    return Files().Truncate(f->file, 0) || f->Failed();
}

std::int64_t FileSize(int handle) {
    OpenFile* f = Lookup(handle);
    if (!f)
        return -1;
    std::int64_t size = Files().Size(f->file);
    if (size < 0) {
        f->Failed();
        return -1;
    }
    if (f->dirty)
        size = std::max<std::int64_t>(size, f->bufStart + static_cast<std::int64_t>(f->bufLen));
    return size;
}

bool FileModified(int handle) {
    const OpenFile* f = Lookup(handle);
    return f && f->modified;
}

void FileMarkSaved(int handle) {
    if (OpenFile* f = Lookup(handle))
        f->modified = false;
}

bool FileWriteBuffered(int handle) {
    OpenFile* f = Lookup(handle);
    return f && f->Flush();
}

bool FileFlush(int handle) {
    OpenFile* f = Lookup(handle);
    return f && f->Flush() && (Files().Sync(f->file) || f->Failed());
}

bool FileClose(int handle, FileError* error) {
    OpenFile* f = Lookup(handle);
    if (!f)
        return true;
    bool ok = f->Flush();
    if (!Files().Close(f->file) && ok) {
        f->Failed();
        ok = false;
    }
    if (!ok)
        Report(error, f->error);
    Table()[static_cast<std::size_t>(handle) - 1].reset();
    return ok;
}

bool DeleteFile(const std::string& path, FileError* error) {
    std::string storage;
    return Files().Remove(NativePath(path, storage)) || Report(error, Files().LastError());
}

namespace {

// Reads up to count bytes from the start of the file into buffer; got is what arrived.
// False when a read failed.
bool ReadStartInto(int handle, std::uint8_t* buffer, std::size_t count, std::size_t& got) {
    got = 0;
    while (got < count) {
        const int want = static_cast<int>(std::min<std::size_t>(count - got, 1u << 30));
        const int n = FileRead(handle, buffer + got, want);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// The size to read from the start: the file's, at most limit; false when it cannot be had.
bool StartSize(int handle, std::size_t limit, std::size_t& size) {
    const std::int64_t fileSize = FileSize(handle);
    if (fileSize < 0 || FileSeek(handle, 0) != 0)
        return false;
    size = static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(fileSize), limit));
    return true;
}

} // namespace

bool ReadFromStart(int handle, std::vector<std::uint8_t>& bytes, std::size_t limit) {
    bytes.clear();
    std::size_t size = 0;
    if (!StartSize(handle, limit, size))
        return false;
    bytes.resize(size);
    std::size_t got = 0;
    const bool ok = ReadStartInto(handle, bytes.data(), size, got);
    bytes.resize(got);
    return ok;
}

bool ReadFromStart(int handle, FileBytes& bytes, std::size_t limit) {
    bytes.data.reset();
    bytes.size = 0;
    std::size_t size = 0;
    if (!StartSize(handle, limit, size))
        return false;
    bytes.data = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    return ReadStartInto(handle, bytes.data.get(), size, bytes.size);
}

bool ReadFileStart(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit,
                   FileError* error) {
    bytes.clear();
    const int handle = FileOpen(path, OpenHow::Read, error);
    if (handle <= 0)
        return false;
    const bool ok = ReadFromStart(handle, bytes, limit) || Report(error, FileHandleError(handle));
    FileClose(handle);
    return ok;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxSize,
                   FileError* error) {
    bytes.clear();
    const int handle = FileOpen(path, OpenHow::Read, error);
    if (handle <= 0)
        return false;
    const std::int64_t size = FileSize(handle);
    bool ok = size >= 0 && static_cast<std::uint64_t>(size) <= maxSize &&
              ReadFromStart(handle, bytes, static_cast<std::size_t>(size));
    // A file larger than allowed is not an error of the system: it has no reason of its own.
    if (!ok)
        Report(error, size > 0 && static_cast<std::uint64_t>(size) > maxSize ? FileError::Other
                                                                             : FileHandleError(handle));
    FileClose(handle);
    return ok;
}

bool SameFileBytes(int handle, const std::string& path) {
    const int other = FileOpen(path, OpenHow::Read);
    bool same = handle > 0 && other > 0 && FileSize(handle) == FileSize(other) && FileSeek(handle, 0) == 0;
    // Buffers only when there is something to compare, and no larger than the files.
    const std::size_t bufferSize =
        same ? std::min(kBufferSize, static_cast<std::size_t>(std::max<std::int64_t>(FileSize(other), 0)) + 1)
             : 0;
    const auto bufA = std::make_unique_for_overwrite<std::uint8_t[]>(bufferSize);
    const auto bufB = std::make_unique_for_overwrite<std::uint8_t[]>(bufferSize);
    while (same) {
        const int na = FileRead(handle, bufA.get(), static_cast<int>(bufferSize));
        const int nb = FileRead(other, bufB.get(), static_cast<int>(bufferSize));
        same = na == nb && na >= 0 && std::memcmp(bufA.get(), bufB.get(), static_cast<std::size_t>(na)) == 0;
        if (na <= 0)
            break;
    }
    FileClose(other);
    return same;
}

bool SameFileBytes(const std::string& a, const std::string& b) {
    const int handle = FileOpen(a, OpenHow::Read);
    const bool same = handle > 0 && SameFileBytes(handle, b);
    FileClose(handle);
    return same;
}

} // namespace tolvik
