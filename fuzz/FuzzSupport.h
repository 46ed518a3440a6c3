#pragma once

// What every fuzz harness needs: one scratch folder per process (in memory), files written
// into it exactly as a league's files lie on disk, a bounded cursor over the input, and the way a
// harness reports a broken promise (an abort, which the fuzzer records as a crash).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "league/FileAccess.h"
#include "league/MemoryFiles.h"

namespace fuzzing {

using Bytes = std::vector<std::uint8_t>;
// Bytes of the input itself, not copied.
using ByteSpan = std::span<const std::uint8_t>;

// Reads a whole file; false when it cannot be read.
inline bool ReadWholeFile(const std::string& path, Bytes& out) {
    return tolvik::ReadWholeFile(path, out);
}

// A property of the code under test does not hold: report it and stop as a crash would.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz property violated: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

inline void Check(bool condition, const char* what) {
    if (!condition)
        Fail(what);
}

// One folder per process, on the file layer's own memory file system, emptied before every
// input, so that the files of one input never meet those of the next and no input costs a
// system call per file operation. The library sees the folder only while a ScratchScope
// puts that file system in front of it.
class ScratchFolder {
  public:
    static ScratchFolder& Get() {
        static ScratchFolder folder;
        return folder;
    }

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    tolvik::MemoryFiles& Files() const { return files_; }

    // Removes everything in the folder.
    void Clear() const {
        for (const auto& name : List())
            files_.Remove(File(name));
    }

    void Write(const std::string& name, const std::uint8_t* data, std::size_t size) const {
        const auto file = files_.Open(File(name), tolvik::OpenHow::Create);
        if (file == tolvik::SystemFiles::kNoFile || !files_.WriteAt(file, data, size, 0) ||
            !files_.Close(file))
            Fail("the scratch folder cannot be written");
    }
    void Write(const std::string& name, ByteSpan bytes) const { Write(name, bytes.data(), bytes.size()); }

    // Whether the file holds exactly these bytes.
    bool Holds(const std::string& name, ByteSpan bytes) const {
        const Bytes held = Read(name);
        return std::equal(held.begin(), held.end(), bytes.begin(), bytes.end());
    }

    bool Exists(const std::string& name) const { return files_.Stat(File(name), false).exists; }

    Bytes Read(const std::string& name) const {
        Bytes bytes;
        const auto file = files_.Open(File(name), tolvik::OpenHow::Read);
        if (file == tolvik::SystemFiles::kNoFile)
            return bytes;
        bytes.resize(static_cast<std::size_t>(files_.Size(file)));
        files_.ReadAt(file, bytes.data(), bytes.size(), 0);
        files_.Close(file);
        return bytes;
    }

    // Names of the entries in the folder.
    std::vector<std::string> List() const {
        std::vector<std::string> names;
        files_.List(path_, names);
        return names;
    }

  private:
    ScratchFolder() { files_.MakeFolder(path_); }

    std::string path_ = "/scratch";
    mutable tolvik::MemoryFiles files_;
};

// Puts the scratch folder's file system in front of the library for one input, and empties
// the folder first.
class ScratchScope {
  public:
    ScratchScope() : previous_(tolvik::UseFiles(&ScratchFolder::Get().Files())) {
        ScratchFolder::Get().Clear();
    }
    // Emptied again at the end, so that an input frees all it allocated (libFuzzer takes
    // memory that outlives an input for a leak and checks it at great cost).
    ~ScratchScope() {
        ScratchFolder::Get().Clear();
        tolvik::UseFiles(previous_ == &tolvik::SystemDefaultFiles() ? nullptr : previous_);
    }
    ScratchScope(const ScratchScope&) = delete;
    ScratchScope& operator=(const ScratchScope&) = delete;

    const ScratchFolder& Folder() const { return ScratchFolder::Get(); }

  private:
    tolvik::SystemFiles* previous_;
};

// Takes bytes from the front of the input. Every take is bounded by what is left: a length
// read from the input is a wish, the bytes that remain decide.
class InputCursor {
  public:
    InputCursor(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Remaining() const { return size_ - pos_; }
    std::uint8_t U8(std::uint8_t otherwise = 0) { return pos_ < size_ ? data_[pos_++] : otherwise; }
    std::uint16_t U16() {
        const std::uint16_t lo = U8();
        return static_cast<std::uint16_t>(lo | (U8() << 8));
    }
    std::uint32_t U32() {
        const std::uint32_t lo = U16();
        return lo | (static_cast<std::uint32_t>(U16()) << 16);
    }
    ByteSpan Take(std::size_t wanted) {
        const std::size_t n = wanted < Remaining() ? wanted : Remaining();
        const ByteSpan out(data_ + pos_, n);
        pos_ += n;
        return out;
    }
    ByteSpan Rest() { return Take(Remaining()); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The input of the whole-league harness: one byte saying which of the five files are
// there (bit k for file k in the order below), then for each file present its length
// (32-bit little-endian, cut to the bytes left) and its bytes. Whatever follows the last
// file drives the roster moves.
inline constexpr const char* kLeagueParts[] = {"lge", "pyr", "pyf", "pyc", "dat"};
inline constexpr int kLeaguePartCount = 5;

struct LeagueInput {
    bool present[kLeaguePartCount] = {};
    Bytes files[kLeaguePartCount];
    Bytes moves;
};

// The parts of one input as they lie in it.
struct LeagueInputView {
    bool present[kLeaguePartCount] = {};
    ByteSpan files[kLeaguePartCount];
    ByteSpan moves;
};

inline LeagueInputView SplitLeagueInput(const std::uint8_t* data, std::size_t size) {
    InputCursor in(data, size);
    LeagueInputView out;
    const std::uint8_t mask = in.U8();
    for (int k = 0; k < kLeaguePartCount; ++k) {
        if (!(mask & (1u << k)))
            continue;
        out.present[k] = true;
        out.files[k] = in.Take(in.U32());
    }
    out.moves = in.Rest();
    return out;
}

// The inverse of SplitLeagueInput, for making seeds from real leagues.
inline Bytes PackLeagueInput(const LeagueInput& input) {
    Bytes out(1, 0);
    for (int k = 0; k < kLeaguePartCount; ++k) {
        if (!input.present[k])
            continue;
        out[0] = static_cast<std::uint8_t>(out[0] | (1u << k));
        const auto n = static_cast<std::uint32_t>(input.files[k].size());
        for (int b = 0; b < 4; ++b)
            out.push_back(static_cast<std::uint8_t>(n >> (8 * b)));
        out.insert(out.end(), input.files[k].begin(), input.files[k].end());
    }
    out.insert(out.end(), input.moves.begin(), input.moves.end());
    return out;
}

// Every regular file of a folder, sorted by name (the saved inputs of one harness).
inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec))
            paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace fuzzing
