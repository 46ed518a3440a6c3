#pragma once

#include "league/FolderLock.h"
#include "league/League.h"
#include "league/SystemFiles.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// Where a League keeps its files, and which working copies it made itself. Only the
// working copies made by this League in this run are ever written back or deleted:
// a file of the same name that was there before is not ours.
struct League::Paths {
    // One of the league's files and its working copy.
    struct Copy {
        std::string target; // the league's own file, the write-back target ("" when there is none)
        // The target as OpenLeague (or the last write-back) saw it, so that a file another
        // program changed meanwhile is not overwritten.
        tolvik::FileInfo seen;
        bool made = false; // the working copy is ours
    };

    std::string folder;   // absolute folder of the league file, captured by OpenLeague
    std::string baseLeaf; // the league file's name without its last three characters ("ours.")
    std::array<Copy, kCopies> copies;
    signed char stage = 0; // header stage seen by OpenLeague
    // The lock on the folder, held from before anything in it is touched until the League
    // is gone (shared with a caller that took it first, SetFolderLock).
    std::shared_ptr<tolvik::FolderLock> lock;
    // The league folder with every link resolved, and the locks of the other folders that
    // the league's files lead into through links: whoever writes there holds them too.
    std::string realFolder;
    std::vector<std::unique_ptr<tolvik::FolderLock>> realLocks;

    bool attempted = false;   // OpenLeague was called
    bool opened = false;      // OpenLeague succeeded
    bool interrupted = false; // a write-back stopped between its renames; its journal stays for the next open

    Copy& operator[](WorkFile file) { return copies[static_cast<std::size_t>(file)]; }
};
