#include "DynamicLibrary.h"

#include <dlfcn.h>

void *LoadLibraryByName(const char *fileName)
{
    return dlopen(fileName, RTLD_NOW | RTLD_GLOBAL);
}

void *ProcAddress(void *library, const char *name)
{
    return dlsym(library, name);
}
