#pragma once

#include "league/League.h"

#include <string>

// Where a League keeps its files, and which working copies it made itself. Only the
// working copies made by this League in this run are ever written back or deleted:
// a copy of the same name left behind by an earlier run is not ours.
struct League::Paths {
    std::string folder;   // absolute folder of the league file, captured by OpenLeague
    std::string baseLeaf; // the league file's name without its last three characters ("ours.")
    std::string lgeTarget;
    std::string pyrTarget;
    std::string pycTarget;
    std::string pyfTarget;
    signed char stage = 0; // header stage seen by OpenLeague
    // The lock on the folder's lock file, held from before the first working copy is made
    // until the League is gone (0: none held).
    std::string lockPath;
    int lock = 0;

    bool attempted = false; // OpenLeague was called
    bool opened = false;    // OpenLeague succeeded
    bool lgeMade = false;
    bool pyrMade = false;
    bool pycMade = false;
    bool pyfMade = false;
    bool datMade = false;
};
