// The file layer's system calls on Windows. Paths are UTF-8 inside the library and become
// UTF-16 here, at the call; every path goes through GetFullPathNameW and then into the
// "\\?\" form, so that drive letters, UNC paths, '/' and '\' and paths longer than
// MAX_PATH all work the same way.
#include "league/SystemFiles.h"

#include <algorithm>
#include <climits>
#include <random>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace tolvik {
namespace {

// The byte the folder lock holds, far beyond the notes the holder writes at the start of the
// file, so that the notes stay readable; below 2^31 for servers that know 32-bit offsets only.
constexpr DWORD kLockOffset = 0x7FFFFFF0;

// Seconds between 1601-01-01 (FILETIME) and 1970-01-01, in 100 ns ticks.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000LL;

FileError FromWindows(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_NO_UNICODE_TRANSLATION:
        return FileError::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
    case ERROR_CANNOT_MAKE:
        return FileError::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        return FileError::DiskFull;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return FileError::NameTooLong;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return FileError::Exists;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_DRIVE_LOCKED:
        return FileError::InUse;
    case ERROR_WRITE_PROTECT:
        return FileError::ReadOnlyDisk;
    default:
        return FileError::Other;
    }
}

HANDLE Handle(SystemFiles::Native file) {
    return reinterpret_cast<HANDLE>(file);
}

SystemFiles::Native FromHandle(HANDLE handle) {
    return reinterpret_cast<SystemFiles::Native>(handle);
}

// UTF-8 to UTF-16; false for bytes that are not UTF-8 (no file can have such a name).
bool Widen(const std::string& text, std::wstring& wide) {
    wide.clear();
    if (text.empty())
        return true;
    if (text.size() > INT_MAX)
        return false;
    const int size = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (n <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(n));
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), n) == n;
}

// UTF-16 to UTF-8 (a lone surrogate in a name becomes U+FFFD).
std::string Narrow(const wchar_t* wide, std::size_t length) {
    if (length == 0 || length > INT_MAX)
        return "";
    const int size = static_cast<int>(length);
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return "";
    std::string text(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, size, text.data(), n, nullptr, nullptr);
    return text;
}

std::string Narrow(const std::wstring& wide) {
    return Narrow(wide.data(), wide.size());
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// A path of the "\\?\" form back in its usual one, as users write it.
std::wstring UsualForm(const std::wstring& path) {
    if (StartsWith(path, L"\\\\?\\UNC\\"))
        return L"\\\\" + path.substr(8);
    if (StartsWith(path, L"\\\\?\\"))
        return path.substr(4);
    return path;
}

// An open handle for questions about the entry itself (no read or write access, so that it
// opens whatever sharing others asked for); INVALID_HANDLE_VALUE when it cannot be opened.
HANDLE OpenForInfo(const std::wstring& path, bool followLinks) {
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS; // folders too
    if (!followLinks)
        flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         flags, nullptr);
}

// True for an open file on a disk (not a console, a pipe or another device), not a folder;
// with onlyName also neither a link nor a file with a second name (which must then be known:
// a file system that cannot tell is not trusted with the notes).
bool IsRegularFile(HANDLE file, bool onlyName) {
    if (::GetFileType(file) != FILE_TYPE_DISK)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info))
        return !onlyName;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    return !onlyName ||
           ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && info.nNumberOfLinks == 1);
}

// "C:\" or "\\server\share\": the top of a drive or a share.
bool IsRoot(const std::wstring& path) {
    if (path.size() == 3 && path[1] == L':')
        return true;
    return StartsWith(path, L"\\\\") && std::count(path.begin() + 2, path.end(), L'\\') <= 2;
}

// True when the file may be opened for deleting it now (GetLastError says why not).
bool DeleteAllowed(const std::wstring& path) {
    const HANDLE probe =
        ::CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(probe);
    return true;
}

std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

class WindowsFiles final : public SystemFiles {
  public:
    Native Open(const std::string& path, OpenHow how) override {
        std::wstring wide;
        if (!SystemPath(path, wide))
            return kNoFile;
        DWORD access = GENERIC_READ | GENERIC_WRITE;
        DWORD disposition = OPEN_EXISTING;
        switch (how) {
        case OpenHow::Read:
            access = GENERIC_READ;
            break;
        case OpenHow::ReadWrite:
            break;
        case OpenHow::Create:
            disposition = CREATE_ALWAYS;
            break;
        case OpenHow::CreateNew:
            disposition = CREATE_NEW;
            break;
        }
        // Our own opens share everything, as descriptors do; a program that opens a league
        // file without sharing is met in MayReplace and Rename.
        const HANDLE file =
            ::CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Failed();
            return kNoFile;
        }
        if (!IsRegularFile(file, false)) {
            ::CloseHandle(file);
            Fail(FileError::NotRegular);
            return kNoFile;
        }
        return FromHandle(file);
    }

    std::int64_t ReadAt(Native file, void* buffer, std::size_t count, std::int64_t offset) override {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset));
        at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
        if (!::ReadFile(Handle(file), buffer, want, &n, &at)) {
            const DWORD code = ::GetLastError();
            if (code == ERROR_HANDLE_EOF)
                return 0;
            Failed(code);
            return -1;
        }
        return n;
    }

    bool WriteAt(Native file, const void* buffer, std::size_t count, std::int64_t offset) override {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        std::size_t done = 0;
        while (done < count) {
            const std::uint64_t at64 = static_cast<std::uint64_t>(offset) + done;
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(at64);
            at.OffsetHigh = static_cast<DWORD>(at64 >> 32);
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
            DWORD n = 0;
            if (!::WriteFile(Handle(file), bytes + done, want, &n, &at))
                return Failed();
            if (n == 0) {
                Fail(FileError::DiskFull);
                return false;
            }
            done += n;
        }
        return true;
    }

    std::int64_t Size(Native file) override {
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(Handle(file), &size)) {
            Failed();
            return -1;
        }
        return size.QuadPart;
    }

    bool Truncate(Native file, std::int64_t size) override {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = size;
        return ::SetFileInformationByHandle(Handle(file), FileEndOfFileInfo, &end, sizeof end) || Failed();
    }

    bool Sync(Native file) override { return ::FlushFileBuffers(Handle(file)) || Failed(); }

    bool Close(Native file) override { return ::CloseHandle(Handle(file)) || Failed(); }

    bool SetMode(Native file, std::uint32_t mode) override {
        // Windows keeps one bit of this: the read-only attribute.
        FILE_BASIC_INFO basic{};
        if (!::GetFileInformationByHandleEx(Handle(file), FileBasicInfo, &basic, sizeof basic))
            return Failed();
        const DWORD before = basic.FileAttributes;
        if ((mode & 0222) == 0)
            basic.FileAttributes |= FILE_ATTRIBUTE_READONLY;
        else
            basic.FileAttributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
        if (basic.FileAttributes == before)
            return true;
        if (basic.FileAttributes == 0)
            basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        return ::SetFileInformationByHandle(Handle(file), FileBasicInfo, &basic, sizeof basic) || Failed();
    }

    FileInfo Stat(const std::string& path, bool followLinks) override {
        FileInfo info;
        std::wstring wide;
        if (!SystemPath(path, wide))
            return info;
        // The attributes come without opening the file, so a file another program holds
        // without sharing still shows; the identity (volume and file index) needs a handle.
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
            Failed();
            return info;
        }
        DWORD attributes = data.dwFileAttributes;
        FILETIME written = data.ftLastWriteTime;
        std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        const HANDLE handle = OpenForInfo(wide, followLinks);
        if (handle != INVALID_HANDLE_VALUE) {
            BY_HANDLE_FILE_INFORMATION byHandle{};
            if (::GetFileInformationByHandle(handle, &byHandle)) {
                attributes = byHandle.dwFileAttributes;
                written = byHandle.ftLastWriteTime;
                size = (static_cast<std::uint64_t>(byHandle.nFileSizeHigh) << 32) | byHandle.nFileSizeLow;
                info.device = byHandle.dwVolumeSerialNumber;
                info.inode =
                    (static_cast<std::uint64_t>(byHandle.nFileIndexHigh) << 32) | byHandle.nFileIndexLow;
            }
            ::CloseHandle(handle);
        } else if (followLinks && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            // A link whose target is missing.
            Failed();
            return info;
        }
        info.exists = true;
        info.link = !followLinks && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        info.regular = !info.link && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
        info.mode = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            info.mode |= 0111;
        info.size = static_cast<std::int64_t>(size);
        info.modifiedNs = (Ticks(written) - kUnixEpochTicks) * 100;
        return info;
    }

    bool MayReplace(const std::string& path) override {
        std::wstring wide;
        if (!SystemPath(path, wide))
            return false;
        const DWORD attributes = ::GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD code = ::GetLastError();
            return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || Failed(code);
        }
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            Fail(FileError::AccessDenied);
            return false;
        }
        // Replacing takes the right to delete the file, which a program that holds it open
        // without sharing that right denies us: found here, before anything is replaced.
        return DeleteAllowed(wide) || Failed();
    }

    bool Rename(const std::string& from, const std::string& to) override {
        std::wstring source, target;
        if (!SystemPath(from, source) || !SystemPath(to, target))
            return false;
        if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD code = ::GetLastError();
        // A target another program holds open is reported as access denied by some systems;
        // say in use when that is the reason.
        if (code == ERROR_ACCESS_DENIED && !DeleteAllowed(target) &&
            ::GetLastError() == ERROR_SHARING_VIOLATION)
            return Failed(ERROR_SHARING_VIOLATION);
        return Failed(code);
    }

    bool Remove(const std::string& path) override {
        std::wstring wide;
        return SystemPath(path, wide) && (::DeleteFileW(wide.c_str()) || Failed());
    }

    bool SyncFolder(const std::string&) override {
        // Windows has no call that puts a folder's entries on the disk; renames ask for it
        // themselves (MOVEFILE_WRITE_THROUGH).
        return true;
    }

    bool List(const std::string& folder, std::vector<std::string>& names) override {
        names.clear();
        std::wstring wide;
        if (!SystemPath(folder, wide))
            return false;
        if (wide.back() != L'\\')
            wide += L'\\';
        wide += L'*';
        WIN32_FIND_DATAW entry{};
        const HANDLE find =
            ::FindFirstFileExW(wide.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE)
            return Failed();
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(Narrow(name));
        } while (::FindNextFileW(find, &entry));
        const DWORD code = ::GetLastError();
        ::FindClose(find);
        return code == ERROR_NO_MORE_FILES || Failed(code);
    }

    std::string RealPath(const std::string& path) override {
        std::wstring wide;
        if (!SystemPath(path, wide))
            return "";
        const HANDLE handle = OpenForInfo(wide, true);
        if (handle == INVALID_HANDLE_VALUE) {
            Failed();
            return "";
        }
        // The name as the file system keeps it: links resolved, the case of every name as stored.
        std::wstring real(MAX_PATH, L'\0');
        DWORD n = ::GetFinalPathNameByHandleW(handle, real.data(), static_cast<DWORD>(real.size()),
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n >= real.size()) {
            real.resize(n + 1);
            n = ::GetFinalPathNameByHandleW(handle, real.data(), static_cast<DWORD>(real.size()),
                                            FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        }
        const DWORD code = ::GetLastError();
        ::CloseHandle(handle);
        if (n == 0 || n >= real.size()) {
            Failed(code);
            return "";
        }
        real.resize(n);
        return Narrow(UsualForm(real));
    }

    std::string AbsolutePath(const std::string& path) override {
        std::wstring full;
        if (!FullPath(path, full))
            return path;
        // "C:\dir\" is wanted without its trailing separator; "C:\" and "\\server\share\" keep theirs.
        while (full.size() > 1 && full.back() == L'\\' && !IsRoot(full))
            full.pop_back();
        return Narrow(full);
    }

    std::string NativePath(const std::string& path) override {
        // Neither '/' nor '\' can be part of a name here: both separate folders.
        std::string out = path;
        std::replace(out.begin(), out.end(), '/', '\\');
        return out;
    }

    bool IsSeparator(char ch) const override { return ch == '/' || ch == '\\'; }

    Native Lock(const std::string& path) override {
        std::wstring wide;
        if (!SystemPath(path, wide))
            return kNoFile;
        // Shared for reading and writing, never for deleting: while the holder has it open,
        // nobody removes the lock file from under it, so the holder's lock is always on the
        // file that bears the name (Unlock removes it only after closing it).
        // The link itself is opened, never what it leads to, and refused below.
        const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Failed();
            return kNoFile;
        }
        if (!IsRegularFile(file, true)) {
            ::CloseHandle(file);
            Fail(FileError::NotRegular);
            return kNoFile;
        }
        OVERLAPPED at{};
        at.Offset = kLockOffset;
        if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
            const DWORD code = ::GetLastError();
            ::CloseHandle(file);
            // Some network file systems cannot lock at all; the folder is then refused.
            if (code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION ||
                code == ERROR_CALL_NOT_IMPLEMENTED)
                Fail(FileError::LockUnsupported);
            else
                Failed(code == ERROR_IO_PENDING ? ERROR_LOCK_VIOLATION : code);
            return kNoFile;
        }
        return FromHandle(file);
    }

    void Unlock(Native lock, const std::string& path) override {
        OVERLAPPED at{};
        at.Offset = kLockOffset;
        ::UnlockFileEx(Handle(lock), 0, 1, 0, &at);
        ::CloseHandle(Handle(lock));
        // Fails harmlessly when the next holder has opened it meanwhile: the file is then theirs.
        std::wstring wide;
        if (SystemPath(path, wide))
            ::DeleteFileW(wide.c_str());
    }

    std::string RandomName(std::size_t length) override {
        static std::mt19937_64 random(FreshSeed(::GetCurrentProcessId()));
        return RandomNameFrom(length, random);
    }

  private:
    // Keeps the reason of a system error code (by default the one the call that just failed
    // left); returns false.
    bool Failed(DWORD code = ::GetLastError()) { return Fail(FromWindows(code)); }

    // The absolute form of a path ("" is the current folder): '/' becomes '\', "." and ".."
    // are resolved; links are not.
    bool FullPath(const std::string& path, std::wstring& full) {
        std::wstring wide;
        if (!Widen(path.empty() ? std::string(".") : path, wide))
            return Failed(ERROR_NO_UNICODE_TRANSLATION);
        DWORD size = MAX_PATH;
        for (;;) {
            full.resize(size);
            const DWORD n = ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
            if (n == 0)
                return Failed();
            if (n < size) {
                full.resize(n);
                return true;
            }
            size = n;
        }
    }

    // The path as the system calls take it: absolute, in the "\\?\" form that lifts the
    // MAX_PATH limit ("\\?\C:\...", "\\?\UNC\server\share\...").
    bool SystemPath(const std::string& path, std::wstring& out) {
        std::wstring full;
        if (!FullPath(path, full))
            return false;
        if (StartsWith(full, L"\\\\?\\") || StartsWith(full, L"\\\\.\\"))
            out = full;
        else if (StartsWith(full, L"\\\\"))
            out = L"\\\\?\\UNC\\" + full.substr(2);
        else
            out = L"\\\\?\\" + full;
        return true;
    }
};

} // namespace

SystemFiles& SystemDefaultFiles() {
    static WindowsFiles files;
    return files;
}

} // namespace tolvik
