#include "BoardList.h"

#include <stddef.h>

#define STRINGIFY(x) #x
#define AS_TEXT(x) STRINGIFY(x)

static int isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

static const char *skipBlanks(const char *p)
{
    while (isBlank(*p))
        ++p;
    return p;
}

static int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

static int endsEntry(char c)
{
    return c == '\0' || c == ',' || isBlank(c);
}

/* Reads the word fail at p; returns the position after it, or null when p holds something else
 * (hexadecimal "fa..." included). */
static const char *matchFail(const char *p)
{
    static const char word[] = "fail";
    for (size_t i = 0; i < sizeof word - 1; ++i, ++p) {
        if ((*p | 0x20) != word[i])
            return NULL;
    }
    return endsEntry(*p) ? p : NULL;
}

/* Reads one hexadecimal number at p; returns the position after it, or null with *reason set. */
static const char *parseHex(const char *p, uint32_t *value, const char **reason)
{
    uint32_t v = 0;
    if (hexDigit(*p) < 0) {
        *reason = "expected a hexadecimal number";
        return NULL;
    }
    for (; hexDigit(*p) >= 0; ++p) {
        if (v > 0x0FFFFFFFu) {
            *reason = "number does not fit in 32 bits";
            return NULL;
        }
        v = (v << 4) | (uint32_t)hexDigit(*p);
    }
    *value = v;
    return p;
}

/* Reads one entry at p (blanks skipped); returns the position after it, or null with *reason. */
static const char *parseEntry(const char *p, Board *board, const char **reason)
{
    const char *end;
    if (*p == ',' || *p == '\0') {
        *reason = "empty entry";
        return NULL;
    }
    board->fails = 0;
    board->deviceId = 0;
    board->base = 0;
    if ((end = matchFail(p)) != NULL) {
        board->fails = 1;
        return end;
    }
    if ((p = parseHex(p, &board->deviceId, reason)) == NULL)
        return NULL;
    p = skipBlanks(p);
    if (*p != ':') {
        *reason = "expected ':' after the device ID";
        return NULL;
    }
    p = skipBlanks(p + 1);
    return parseHex(p, &board->base, reason);
}

int ParseBoards(const char *text, Board *out, int max, BoardListError *error)
{
    const char *p;
    const char *reason = NULL;
    int count = 0;
    int entry = 1;

    if (text == NULL || *skipBlanks(text) == '\0')
        return 0;
    for (p = text;; ++p, ++entry) {
        Board board;
        p = parseEntry(skipBlanks(p), &board, &reason);
        if (p == NULL)
            break;
        p = skipBlanks(p);
        if (*p != ',' && *p != '\0') {
            reason = "unexpected text after the entry";
            break;
        }
        if (count >= max) {
            reason = "more than " AS_TEXT(BOARD_LIST_MAX) " boards";
            break;
        }
        out[count++] = board;
        if (*p == '\0')
            return count;
    }
    if (error != NULL) {
        error->entry = entry;
        error->reason = reason;
    }
    return -1;
}
