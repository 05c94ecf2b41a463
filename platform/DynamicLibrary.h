#pragma once

// The platform's dynamic-library loader: load a shared library by file name and look up its
// exports by name. Used by the driver binding (driver/VELWDM.h). Nothing is ever unloaded: a
// loaded library stays until the process ends.

// Loads the shared library fileName with the loader's default search order (an already loaded
// library of that name or SONAME, then LD_LIBRARY_PATH, RUNPATH, the system's directories).
// Binds all symbols at once and makes them globally visible. Returns the library's handle, or
// nullptr when it cannot be loaded; no message is written.
void *LoadLibraryByName(const char *fileName);

// Returns the address of the export name of library (a handle from LoadLibraryByName), or
// nullptr when the library has no such export.
void *ProcAddress(void *library, const char *name);
