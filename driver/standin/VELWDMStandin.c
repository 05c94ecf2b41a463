/* The stand-in for the maker's driver library on Linux, built as libVELWDM.so. It simulates the
 * boards named by its environment variable VELWDM_BOARDS (see docs/driver.md), read once, at the
 * first call of GetNumCards or QueryCardInfo. Those two honour the program's contract; the other
 * exports exist so that the program's binding finds every name, and do nothing. */

#include "BoardList.h"

#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>

#define EXPORT __attribute__((visibility("default")))

static Board boards[BOARD_LIST_MAX];
static int boardCount;
static pthread_once_t boardsRead = PTHREAD_ONCE_INIT;

static void readBoards(void)
{
    BoardListError error;
    int count = ParseBoards(getenv("VELWDM_BOARDS"), boards, BOARD_LIST_MAX, &error);
    if (count < 0) {
        /* One line, without the value itself: it may hold line breaks of its own. */
        fprintf(stderr,
                "libVELWDM: VELWDM_BOARDS entry %d: %s; the format is comma-separated "
                "DEVICEID:BASE pairs in hexadecimal or fail, e.g. 0C71:E000,fail; "
                "no boards are reported\n",
                error.entry, error.reason);
        count = 0;
    }
    boardCount = count;
}

static void ensureBoards(void)
{
    pthread_once(&boardsRead, readBoards);
}

EXPORT int32_t GetNumCards(void)
{
    ensureBoards();
#ifdef VELWDM_STANDIN_REPORTED_COUNT
    /* A test variant: a driver whose count disagrees with the boards it answers for. */
    return VELWDM_STANDIN_REPORTED_COUNT;
#else
    return boardCount;
#endif
}

EXPORT int32_t QueryCardInfo(int32_t index, uint32_t *deviceId, uint32_t *base, void *reserved1,
                             void *reserved2)
{
    (void)reserved1;
    (void)reserved2;
    ensureBoards();
    if (index < 0 || index >= boardCount || boards[index].fails || !deviceId || !base)
        return 0;
    *deviceId = boards[index].deviceId;
    *base = boards[index].base;
    return 1;
}

/* The program looks these up by name and never calls them. Taking no arguments, each is harmless
 * whatever a caller passes under the platform's C calling convention. */
#define INERT_EXPORT(name) \
    EXPORT int32_t name(void) { return 0; }

INERT_EXPORT(QueryBARBase)
INERT_EXPORT(WaitForIRQ)
INERT_EXPORT(COSWaitForIRQ)
INERT_EXPORT(WDGHandleIRQ)
INERT_EXPORT(AbortRequest)
INERT_EXPORT(CloseCard)
INERT_EXPORT(WDGInit)
INERT_EXPORT(WDGSetTimeout)
INERT_EXPORT(WDGSetResetDuration)
INERT_EXPORT(WDGPet)
INERT_EXPORT(WDGReadTemp)
INERT_EXPORT(WDGReadStatus)
INERT_EXPORT(WDGStart)
INERT_EXPORT(WDGStop)
INERT_EXPORT(EmergencyReboot)
INERT_EXPORT(InPortB)
INERT_EXPORT(OutPortB)
INERT_EXPORT(InPort)
INERT_EXPORT(OutPort)
INERT_EXPORT(InPortL)
INERT_EXPORT(OutPortL)
INERT_EXPORT(InPortDWord)
INERT_EXPORT(OutPortDWord)
INERT_EXPORT(RelInPortB)
INERT_EXPORT(RelOutPortB)
INERT_EXPORT(RelInPort)
INERT_EXPORT(RelOutPort)
INERT_EXPORT(RelInPortL)
INERT_EXPORT(RelOutPortL)
INERT_EXPORT(RelInPortDWord)
INERT_EXPORT(RelOutPortDWord)
