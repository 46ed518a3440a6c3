#include "league/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tolvik {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

// One open file: a window of the file held in memory, with a dirty flag. Reads are
// served from the window; writes go into it while they stay contiguous with it.
struct OpenFile {
    int fd = -1;
    std::int64_t pos = 0;      // logical position of the handle
    std::int64_t bufStart = 0; // file offset of buf[0]
    std::size_t bufLen = 0;    // valid bytes in buf
    bool dirty = false;
    bool modified = false; // anything written since the open, or a created file
    std::vector<std::uint8_t> buf = std::vector<std::uint8_t>(kBufferSize);

    bool Flush() {
        if (!dirty)
            return true;
        std::size_t done = 0;
        while (done < bufLen) {
            ssize_t n = ::pwrite(fd, buf.data() + done, bufLen - done, static_cast<off_t>(bufStart + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        dirty = false;
        return true;
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

int Register(int fd) {
    auto file = std::make_unique<OpenFile>();
    file->fd = fd;
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

std::string Native(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Copies all bytes of one descriptor into another, preferring the kernel's copy.
bool CopyDescriptor(int in, int out) {
    struct stat st {};
    if (::fstat(in, &st) != 0)
        return false;
    off_t remaining = st.st_size;
    while (remaining > 0) {
        ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, static_cast<std::size_t>(remaining), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        remaining -= n;
    }
    if (remaining == 0)
        return true;
    // Fall back to plain reads and writes from wherever the kernel copy stopped.
    std::vector<std::uint8_t> chunk(kBufferSize);
    for (;;) {
        ssize_t n = ::read(in, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (!WriteAll(out, chunk.data(), static_cast<std::size_t>(n)))
            return false;
    }
}

bool SyncFolderOf(const std::string& path) {
    std::string folder = PathFolder(path);
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Runs fill on a new temporary file beside target, then flushes and renames it over target.
template <typename Fill> bool ReplaceWith(const std::string& target, Fill&& fill) {
    std::string native = Native(target);
    std::string folder = PathFolder(native);
    std::string pattern = PathJoin(folder, "." + PathLeaf(native) + ".XXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    bool ok = fill(fd) && ::fsync(fd) == 0;
    // Keep the target's permissions when it has some; otherwise the usual 0644.
    struct stat st {};
    ::fchmod(fd, ::stat(native.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(name.data(), native.c_str()) == 0;
    if (!ok) {
        ::unlink(name.data());
        return false;
    }
    SyncFolderOf(native);
    return true;
}

} // namespace

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int FileOpen(const std::string& path, FileMode mode) {
    if (!FileExists(path))
        return -1;
    int flags = (mode == FileMode::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    int fd = ::open(Native(path).c_str(), flags);
    return fd < 0 ? -1 : Register(fd);
}

int FileCreate(const std::string& path) {
    int fd = ::open(Native(path).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    const int handle = Register(fd);
    Lookup(handle)->modified = true; // a new file is new content
    return handle;
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
            std::memcpy(out + done, f->buf.data() + offset, n);
            done += n;
            f->pos += static_cast<std::int64_t>(n);
            continue;
        }
        if (!f->Restart())
            return -1;
        ssize_t n;
        if (wanted - done >= f->buf.size()) {
            // A large read goes straight into the caller's memory.
            do {
                n = ::pread(f->fd, out + done, wanted - done, static_cast<off_t>(f->pos));
            } while (n < 0 && errno == EINTR);
            if (n < 0)
                return done > 0 ? static_cast<int>(done) : -1;
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
            f->pos += n;
            f->bufStart = f->pos;
            continue;
        }
        do {
            n = ::pread(f->fd, f->buf.data(), f->buf.size(), static_cast<off_t>(f->pos));
        } while (n < 0 && errno == EINTR);
        if (n < 0)
            return done > 0 ? static_cast<int>(done) : -1;
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
        f->pos + static_cast<std::int64_t>(n) <= f->bufStart + static_cast<std::int64_t>(f->buf.size());
    if (!contiguous) {
        if (!f->Restart())
            return -1;
        if (n > f->buf.size()) {
            std::size_t done = 0;
            while (done < n) {
                ssize_t w = ::pwrite(f->fd, in + done, n - done, static_cast<off_t>(f->pos + done));
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0)
                    return -1;
                done += static_cast<std::size_t>(w);
            }
            f->pos += static_cast<std::int64_t>(n);
            f->bufStart = f->pos;
            return count;
        }
    }
    std::size_t offset = static_cast<std::size_t>(f->pos - f->bufStart);
    if (n != 0)
        std::memcpy(f->buf.data() + offset, in, n);
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

std::int64_t FileSize(int handle) {
    OpenFile* f = Lookup(handle);
    if (!f)
        return -1;
    struct stat st {};
    if (::fstat(f->fd, &st) != 0)
        return -1;
    std::int64_t size = st.st_size;
    if (f->dirty)
        size = std::max<std::int64_t>(size, f->bufStart + static_cast<std::int64_t>(f->bufLen));
    return size;
}

bool FileModified(int handle) {
    const OpenFile* f = Lookup(handle);
    return f && f->modified;
}

bool FileFlush(int handle) {
    OpenFile* f = Lookup(handle);
    return f && f->Flush() && ::fsync(f->fd) == 0;
}

bool FileClose(int handle) {
    OpenFile* f = Lookup(handle);
    if (!f)
        return true;
    bool ok = f->Flush();
    ok = (::close(f->fd) == 0) && ok;
    Table()[static_cast<std::size_t>(handle) - 1].reset();
    return ok;
}

bool DeleteFile(const std::string& path) {
    return ::unlink(Native(path).c_str()) == 0;
}

bool CopyFileOver(const std::string& source, const std::string& target) {
    int in = ::open(Native(source).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    int out = ::open(Native(target).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = CopyDescriptor(in, out);
    ::close(in);
    ok = (::close(out) == 0) && ok;
    return ok;
}

bool ReplaceFileAtomically(const std::string& source, const std::string& target) {
    int in = ::open(Native(source).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    bool ok = ReplaceWith(target, [&](int out) { return CopyDescriptor(in, out); });
    ::close(in);
    return ok;
}

bool WriteFileAtomically(const std::string& target, const void* data, std::size_t size) {
    return ReplaceWith(target,
                       [&](int out) { return WriteAll(out, static_cast<const std::uint8_t*>(data), size); });
}

int LockFile(const std::string& path) {
    const std::string native = Native(path);
    // UnlockFile removes the file while it still holds the lock. A lock won on a file that
    // has meanwhile lost its name guards nothing, so it is given up and the new file tried.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const int fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return -1;
        int rc;
        do {
            rc = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            ::close(fd);
            return -1;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(native.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino)
            return Register(fd);
        ::close(fd);
    }
    return -1;
}

void UnlockFile(int handle, const std::string& path) {
    if (!Lookup(handle))
        return;
    ::unlink(Native(path).c_str());
    FileClose(handle);
}

std::string PathFolder(const std::string& path) {
    std::size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos)
        return "";
    if (cut == 0)
        return path.substr(0, 1);
    return path.substr(0, cut);
}

std::string PathLeaf(const std::string& path) {
    std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string PathJoin(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    return folder + "/" + name;
}

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
    std::string exact = PathJoin(folder, name);
    if (FileExists(exact))
        return exact;
    auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    std::string wanted = lower(name);
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.empty() ? "." : Native(folder), ec);
    std::string found;
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string leaf = it->path().filename().string();
        // The first match in name order, so the choice does not depend on directory order.
        if (lower(leaf) == wanted && it->is_regular_file(ec) && (found.empty() || leaf < found))
            found = leaf;
    }
    return found.empty() ? "" : PathJoin(folder, found);
}

std::string AbsoluteFolder(const std::string& folder) {
    std::error_code ec;
    auto abs = std::filesystem::absolute(folder.empty() ? "." : Native(folder), ec);
    if (ec)
        return folder;
    // "dir/." normalises to "dir/"; the folder is wanted without the trailing separator.
    std::filesystem::path normal = abs.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path())
        normal = normal.parent_path();
    return normal.string();
}

} // namespace tolvik
