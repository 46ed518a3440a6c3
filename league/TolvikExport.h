#pragma once

// Symbols of the shared library Tolvik are hidden unless marked with TOLVIK_EXPORT.
#if defined(TOLVIK_BUILDING)
#define TOLVIK_EXPORT __attribute__((visibility("default")))
#else
#define TOLVIK_EXPORT
#endif
