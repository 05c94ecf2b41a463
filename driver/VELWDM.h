#pragma once

// The interface module of the maker's hardware driver library. The program is linked against
// the library for QueryCardInfo (so it does not start without it); every other function is bound
// by name at run time through BindDriverLibrary into a binding table of 33 entries, of which only
// GetNumCards is ever called. On Linux the library is libVELWDM.so (see driver/standin).

#include <cstdint>

// Linked when the program loads. Writes the PCI device ID and base address of board index
// (0 to count - 1) and returns nonzero, or returns zero, leaving both outputs unused. The two
// trailing pointers request no further output and are always passed as null.
extern "C" int32_t QueryCardInfo(int32_t index, uint32_t *deviceId, uint32_t *base, void *, void *);

// The file name that the binding loads. The maker's Windows library is VELWDM.dll; its Linux
// counterpart is the shared library libVELWDM.so, found by the loader's default search order.
inline constexpr const char *DriverLibraryFileName = "libVELWDM.so";

// The binding table's entries, in the order they are looked up; each one's export name is its
// enumerator's name.
enum class DriverFunction {
    GetNumCards, QueryCardInfo, QueryBARBase, WaitForIRQ, COSWaitForIRQ, WDGHandleIRQ,
    AbortRequest, CloseCard, WDGInit, WDGSetTimeout, WDGSetResetDuration, WDGPet, WDGReadTemp,
    WDGReadStatus, WDGStart, WDGStop, EmergencyReboot, InPortB, OutPortB, InPort, OutPort,
    InPortL, OutPortL, InPortDWord, OutPortDWord, RelInPortB, RelOutPortB, RelInPort, RelOutPort,
    RelInPortL, RelOutPortL, RelInPortDWord, RelOutPortDWord
};
inline constexpr int DriverFunctionCount = 33;

// The export name of an entry ("GetNumCards" for DriverFunction::GetNumCards).
const char *DriverFunctionName(DriverFunction function);

// The entry point bound for function, or nullptr while it has not been found. Entries start
// empty; a binding run stores each lookup's result, found or not.
void *DriverEntryPoint(DriverFunction function);

// The GetNumCards entry, typed: the number of boards the driver knows (0 or less: none). Null
// when the library lacks the function; the caller then takes the count as 0.
using GetNumCardsFunction = int32_t (*)();
GetNumCardsFunction BoundGetNumCards();

// Loads the driver library and looks up all 33 names in table order, storing each result.
// Does nothing once a run has found all 33. When the library cannot be loaded, the table and
// the flag stay as they were. Any other run may be repeated and then loads and looks up again.
// Shows no message. The library is never unloaded.
void BindDriverLibrary();

// True exactly when the last run that loaded the library found all 33 functions.
bool DriverLibraryBound();

// Test seam: the loader that BindDriverLibrary uses (the platform's LoadLibraryByName and
// ProcAddress by default). Resetting empties the table, clears the flag and installs loader;
// a member left null means the platform's function.
struct DriverLoader {
    void *(*load)(const char *fileName) = nullptr;
    void *(*lookup)(void *library, const char *name) = nullptr;
};
void ResetDriverBindingForTesting(DriverLoader loader = {});
