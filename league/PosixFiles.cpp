// The file layer's system calls on POSIX systems.
#include "league/SystemFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvik {
namespace {

FileError FromErrno(int code) {
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return FileError::NotFound;
    case EACCES:
    case EPERM:
        return FileError::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileError::DiskFull;
    case ENAMETOOLONG:
        return FileError::NameTooLong;
    case EEXIST:
        return FileError::Exists;
    case EWOULDBLOCK:
        return FileError::InUse;
    case EROFS:
        return FileError::ReadOnlyDisk;
    case EISDIR:
        return FileError::NotRegular;
    default:
        return FileError::Other;
    }
}

int Fd(SystemFiles::Native file) {
    return static_cast<int>(file);
}

class PosixFiles final : public SystemFiles {
  public:
    Native Open(const std::string& path, OpenHow how) override {
        // Without waiting: opening a pipe for reading would wait for a writer that never comes.
        int flags = O_CLOEXEC | O_NONBLOCK;
        switch (how) {
        case OpenHow::Read:
            flags |= O_RDONLY;
            break;
        case OpenHow::ReadWrite:
            flags |= O_RDWR;
            break;
        case OpenHow::Create:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
        case OpenHow::CreateNew:
            flags |= O_RDWR | O_CREAT | O_EXCL;
            break;
        }
        int fd;
        do {
            fd = ::open(path.c_str(), flags, 0644);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            Failed();
            return kNoFile;
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            Fail(FileError::NotRegular);
            return kNoFile;
        }
        return fd;
    }

    std::int64_t ReadAt(Native file, void* buffer, std::size_t count, std::int64_t offset) override {
        ssize_t n;
        do {
            n = ::pread(Fd(file), buffer, count, static_cast<off_t>(offset));
        } while (n < 0 && errno == EINTR);
        if (n < 0)
            Failed();
        return n;
    }

    bool WriteAt(Native file, const void* buffer, std::size_t count, std::int64_t offset) override {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n =
                ::pwrite(Fd(file), bytes + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return Failed();
            if (n == 0) {
                Fail(FileError::DiskFull);
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    std::int64_t Size(Native file) override {
        struct stat st {};
        if (::fstat(Fd(file), &st) != 0) {
            Failed();
            return -1;
        }
        return st.st_size;
    }

    bool Truncate(Native file, std::int64_t size) override {
        int rc;
        do {
            rc = ::ftruncate(Fd(file), static_cast<off_t>(size));
        } while (rc != 0 && errno == EINTR);
        return rc == 0 || Failed();
    }

    bool Sync(Native file) override { return ::fsync(Fd(file)) == 0 || Failed(); }

    bool Close(Native file) override { return ::close(Fd(file)) == 0 || Failed(); }

    bool SetMode(Native file, std::uint32_t mode) override {
        return ::fchmod(Fd(file), static_cast<mode_t>(mode & 07777)) == 0 || Failed();
    }

    bool CopyData(Native in, Native out) override {
        // The kernel copies without the bytes passing through this process; where it cannot
        // (another file system, an old kernel), the blocks of the default take over.
        const std::int64_t size = Size(in);
        if (size < 0)
            return false;
        std::int64_t done = 0;
        while (done < size) {
            loff_t from = done, to = done;
            const ssize_t n =
                ::copy_file_range(Fd(in), &from, Fd(out), &to, static_cast<std::size_t>(size - done), 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == ENOSPC || errno == EDQUOT || errno == EIO))
                return Failed();
            if (n <= 0)
                break;
            done += n;
        }
        if (done == size && Size(out) >= size)
            return true;
        return SystemFiles::CopyData(in, out);
    }

    FileInfo Stat(const std::string& path, bool followLinks) override {
        FileInfo info;
        struct stat st {};
        const int rc = followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
        if (rc != 0) {
            Failed();
            return info;
        }
        info.exists = true;
        info.regular = S_ISREG(st.st_mode);
        info.link = S_ISLNK(st.st_mode);
        info.mode = st.st_mode & 07777;
        info.device = st.st_dev;
        info.inode = st.st_ino;
        info.size = st.st_size;
        info.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        return info;
    }

    bool MayReplace(const std::string& path) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return errno == ENOENT || Failed();
        if ((st.st_mode & 0222) == 0) {
            Fail(FileError::AccessDenied);
            return false;
        }
        return ::access(path.c_str(), W_OK) == 0 || Failed();
    }

    bool Rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 || Failed();
    }

    bool Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 || Failed(); }

    bool SyncFolder(const std::string& folder) override {
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return Failed();
        const bool ok = ::fsync(fd) == 0 || Failed();
        ::close(fd);
        return ok;
    }

    bool List(const std::string& folder, std::vector<std::string>& names) override {
        names.clear();
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (!dir)
            return Failed();
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
        return true;
    }

    std::string RealPath(const std::string& path) override {
        char* resolved = ::realpath(path.empty() ? "." : path.c_str(), nullptr);
        if (!resolved) {
            Failed();
            return "";
        }
        std::string out = resolved;
        std::free(resolved);
        return out;
    }

    std::string AbsolutePath(const std::string& path) override {
        std::error_code ec;
        std::filesystem::path abs = std::filesystem::absolute(path.empty() ? "." : path, ec);
        if (ec)
            return path;
        // "dir/." normalises to "dir/"; the path is wanted without a trailing separator.
        std::filesystem::path normal = abs.lexically_normal();
        if (!normal.has_filename() && normal.has_relative_path())
            normal = normal.parent_path();
        return normal.string();
    }

    std::string NativePath(const std::string& path) override {
        struct stat st {};
        if (path.find('\\') == std::string::npos || path.find('/') != std::string::npos ||
            ::lstat(path.c_str(), &st) == 0)
            return path;
        std::string out = path;
        std::replace(out.begin(), out.end(), '\\', '/');
        return out;
    }

    bool IsSeparator(char ch) const override { return ch == '/'; }

    Native Lock(const std::string& path) override {
        // Unlock removes the file while it still holds the lock. A lock won on a file that
        // has meanwhile lost its name guards nothing, so it is given up and the new file tried.
        for (int attempt = 0; attempt < 16; ++attempt) {
            // Never through a link: the notes would be written wherever it leads.
            const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
            if (fd < 0) {
                Fail(errno == ELOOP ? FileError::NotRegular : FromErrno(errno));
                return kNoFile;
            }
            struct stat opened {};
            if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_nlink != 1) {
                ::close(fd);
                Fail(FileError::NotRegular);
                return kNoFile;
            }
            int rc;
            do {
                rc = ::flock(fd, LOCK_EX | LOCK_NB);
            } while (rc != 0 && errno == EINTR);
            if (rc != 0) {
                // Some network file systems cannot lock at all (no lock service, or none at all).
                const int code = errno;
                if (code == ENOLCK || code == EOPNOTSUPP || code == ENOTSUP || code == ENOSYS ||
                    code == EINVAL)
                    Fail(FileError::LockUnsupported);
                else
                    Failed();
                ::close(fd);
                return kNoFile;
            }
            struct stat held {};
            struct stat named {};
            if (::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
                held.st_dev == named.st_dev && held.st_ino == named.st_ino)
                return fd;
            ::close(fd);
        }
        Fail(FileError::InUse);
        return kNoFile;
    }

    void Unlock(Native lock, const std::string& path) override {
        ::unlink(path.c_str());
        ::close(Fd(lock));
    }

    std::string RandomName(std::size_t length) override {
        // Seeded anew in every process, so that forked children do not repeat their parent.
        static pid_t seededFor = 0;
        static std::mt19937_64 random;
        if (seededFor != ::getpid()) {
            seededFor = ::getpid();
            random.seed(FreshSeed(static_cast<std::uint64_t>(seededFor)));
        }
        return RandomNameFrom(length, random);
    }

  private:
    // Keeps the reason errno gives for the call that just failed; returns false.
    bool Failed() { return Fail(FromErrno(errno)); }
};

} // namespace

SystemFiles& SystemDefaultFiles() {
    static PosixFiles files;
    return files;
}

} // namespace tolvik
