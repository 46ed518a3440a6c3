#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes away.
class TempDir {
  public:
    TempDir();
    // A folder under base instead ("/dev/shm" for a memory-backed one; the system's
    // temporary folder when base cannot take it).
    explicit TempDir(const std::string& base);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // The path of an entry of the folder, joined with the system's separator. Paths are UTF-8.
    std::string File(const std::string& name) const;

    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    std::vector<std::uint8_t> Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Names of the regular files in the folder, sorted.
    std::vector<std::string> List() const;
    // Every regular file of the folder with its bytes, to compare before and after.
    std::map<std::string, std::vector<std::uint8_t>> Snapshot() const;

  private:
    std::string path_;
};
