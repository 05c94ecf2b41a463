/* Asks the stand-in driver library, in a process of its own, for its boards the way the program
 * does, and prints what it answers: "count N", then one line per index from -1 to N, "I fail" or
 * "I DEVICEID BASE" in hexadecimal. tst_StandinLibrary runs it with various VELWDM_BOARDS. */

#include <stdint.h>
#include <stdio.h>

int32_t GetNumCards(void);
int32_t QueryCardInfo(int32_t index, uint32_t *deviceId, uint32_t *base, void *, void *);

int main(void)
{
    int32_t count = GetNumCards();
    printf("count %d\n", (int)count);
    for (int32_t i = -1; i <= count; ++i) {
        uint32_t deviceId = 0, base = 0;
        if (QueryCardInfo(i, &deviceId, &base, NULL, NULL))
            printf("%d %04X %04X\n", (int)i, (unsigned)deviceId, (unsigned)base);
        else
            printf("%d fail\n", (int)i);
    }
    return 0;
}
