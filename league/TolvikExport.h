#pragma once

// Symbols of the shared library Tolvik are hidden unless marked with TOLVIK_EXPORT. On
// Windows the DLL exports them and its users import them through the import library.
#if defined(_WIN32)
#if defined(TOLVIK_BUILDING)
#define TOLVIK_EXPORT __declspec(dllexport)
#else
#define TOLVIK_EXPORT __declspec(dllimport)
#endif
#elif defined(TOLVIK_BUILDING)
#define TOLVIK_EXPORT __attribute__((visibility("default")))
#else
#define TOLVIK_EXPORT
#endif
