#include "support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Paths are UTF-8 in the library; std::filesystem takes them as such only through char8_t.
fs::path FsPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A new folder of a random name under base; "" when base cannot take one.
std::string MakeFolderUnder(const fs::path& base) {
    static std::mt19937_64 random{std::random_device{}()};
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "brevane-test-";
        for (int i = 0; i < 8; ++i)
            name.push_back(kChars[random() % (sizeof kChars - 1)]);
        std::error_code ec;
        // create_directory is false for a name that is taken, so no two tests share a folder.
        if (fs::create_directory(base / name, ec))
            return Utf8(base / name);
        if (ec)
            return "";
    }
    return "";
}

} // namespace

TempDir::TempDir() : TempDir(Utf8(fs::temp_directory_path())) {}

TempDir::TempDir(const std::string& base) {
    path_ = MakeFolderUnder(FsPath(base));
    if (path_.empty())
        path_ = MakeFolderUnder(fs::temp_directory_path());
    if (path_.empty())
        throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(FsPath(path_), ec);
}

std::string TempDir::File(const std::string& name) const {
    return Utf8(FsPath(path_) / FsPath(name));
}

void TempDir::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream out(FsPath(File(name)), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + name);
}

std::vector<std::uint8_t> TempDir::Read(const std::string& name) const {
    errno = 0;
    std::ifstream in(FsPath(File(name)), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + name + ": " + std::generic_category().message(errno));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TempDir::Exists(const std::string& name) const {
    return fs::exists(FsPath(File(name)));
}

std::vector<std::string> TempDir::List() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FsPath(path_)))
        if (entry.is_regular_file())
            names.push_back(Utf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, std::vector<std::uint8_t>> TempDir::Snapshot() const {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& name : List())
        files[name] = Read(name);
    return files;
}
