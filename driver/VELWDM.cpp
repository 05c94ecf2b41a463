#include "VELWDM.h"

#include "DynamicLibrary.h"

namespace {

const char *const functionNames[DriverFunctionCount] = {
    "GetNumCards", "QueryCardInfo", "QueryBARBase", "WaitForIRQ", "COSWaitForIRQ", "WDGHandleIRQ",
    "AbortRequest", "CloseCard", "WDGInit", "WDGSetTimeout", "WDGSetResetDuration", "WDGPet",
    "WDGReadTemp", "WDGReadStatus", "WDGStart", "WDGStop", "EmergencyReboot", "InPortB",
    "OutPortB", "InPort", "OutPort", "InPortL", "OutPortL", "InPortDWord", "OutPortDWord",
    "RelInPortB", "RelOutPortB", "RelInPort", "RelOutPort", "RelInPortL", "RelOutPortL",
    "RelInPortDWord", "RelOutPortDWord",
};
static_assert(static_cast<int>(DriverFunction::RelOutPortDWord) + 1 == DriverFunctionCount,
              "every entry of the binding table has a name");

void *entryPoints[DriverFunctionCount] = {};
bool driverLibraryBound = false;
DriverLoader loader;

void *load(const char *fileName)
{
    return loader.load ? loader.load(fileName) : LoadLibraryByName(fileName);
}

void *lookup(void *library, const char *name)
{
    return loader.lookup ? loader.lookup(library, name) : ProcAddress(library, name);
}

} // namespace

const char *DriverFunctionName(DriverFunction function)
{
    return functionNames[static_cast<int>(function)];
}

void *DriverEntryPoint(DriverFunction function)
{
    return entryPoints[static_cast<int>(function)];
}

GetNumCardsFunction BoundGetNumCards()
{
    return reinterpret_cast<GetNumCardsFunction>(DriverEntryPoint(DriverFunction::GetNumCards));
}

void BindDriverLibrary()
{
    if (driverLibraryBound)
        return;
    // The handle is not kept: the library stays loaded for the rest of the process.
    void *library = load(DriverLibraryFileName);
    if (!library)
        return;
    bool allFound = true;
    for (int i = 0; i < DriverFunctionCount; ++i) {
        entryPoints[i] = lookup(library, functionNames[i]);
        allFound = allFound && entryPoints[i];
    }
    driverLibraryBound = allFound;
}

bool DriverLibraryBound()
{
    return driverLibraryBound;
}

void ResetDriverBindingForTesting(DriverLoader testLoader)
{
    for (void *&entry : entryPoints)
        entry = nullptr;
    driverLibraryBound = false;
    loader = testLoader;
}
