#pragma once

// The file access layer in one include, for code that uses several of its parts: handles
// (FileHandles.h), copies (FileCopy.h), atomic replacement (AtomicReplace.h) and paths
// (FilePaths.h), over the system interface (SystemFiles.h).
#include "league/AtomicReplace.h"
#include "league/FileCopy.h"
#include "league/FileHandles.h"
#include "league/FilePaths.h"
