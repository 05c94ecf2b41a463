#ifndef VELWDM_STANDIN_BOARDLIST_H
#define VELWDM_STANDIN_BOARDLIST_H

/* The stand-in driver's list of simulated boards and the parser of its text form, the value of
 * VELWDM_BOARDS: comma-separated entries, each DEVICEID:BASE in hexadecimal or the word fail (a
 * board whose query fails). The parser is pure so that it can be tested and fuzzed apart from
 * the library. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The most boards one list can hold; a longer list is malformed. */
#define BOARD_LIST_MAX 16

typedef struct Board {
    int fails;          /* nonzero: QueryCardInfo reports failure for this board */
    uint32_t deviceId;  /* PCI device ID; 0 for a failing board */
    uint32_t base;      /* base address; 0 for a failing board */
} Board;

typedef struct BoardListError {
    int entry;          /* 1-based number of the offending entry */
    const char *reason; /* static text, one line, no trailing full stop */
} BoardListError;

/* Parses text into at most max boards at out, in the order written. Blanks (spaces, tabs, line
 * breaks) may stand around entries and around the colon, not inside a number. Numbers have at
 * least one hexadecimal digit, either case, no prefix or sign; leading zeros are allowed, a value
 * above 0xFFFFFFFF is not. "fail" is matched without regard to case. A null text or one made only
 * of blanks holds no boards.
 * Returns the number of boards (0 to max), or -1 when text is malformed: then out holds nothing
 * of use and, when error is not null, *error says where and why. */
int ParseBoards(const char *text, Board *out, int max, BoardListError *error);

#ifdef __cplusplus
}
#endif

#endif
