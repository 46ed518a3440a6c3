#pragma once

#include "league/FolderLock.h"
#include "league/League.h"
#include "league/SystemFiles.h"

#include <memory>
#include <string>
#include <vector>

// Where a League keeps its files, and which working copies it made itself. Only the
// working copies made by this League in this run are ever written back or deleted:
// a file of the same name that was there before is not ours.
struct League::Paths {
    std::string folder;   // absolute folder of the league file, captured by OpenLeague
    std::string baseLeaf; // the league file's name without its last three characters ("ours.")
    std::string lgeTarget;
    std::string pyrTarget;
    std::string pycTarget;
    std::string pyfTarget;
    // Each target as OpenLeague (or the last write-back) saw it, so that a file another
    // program changed meanwhile is not overwritten.
    tolvik::FileInfo lgeSeen;
    tolvik::FileInfo pyrSeen;
    tolvik::FileInfo pycSeen;
    tolvik::FileInfo pyfSeen;
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
    bool lgeMade = false;
    bool pyrMade = false;
    bool pycMade = false;
    bool pyfMade = false;
    bool datMade = false;
};
