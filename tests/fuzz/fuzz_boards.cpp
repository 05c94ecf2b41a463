// Fuzzes the stand-in driver's parser of VELWDM_BOARDS. Beyond "no crash": a list that parses
// must read back the same when written out again in the documented form, and a refused one must
// say where and why.
#include "BoardList.h"

#include "FuzzCheck.h"

#include <cstdio>
#include <string>

static std::string written(const Board *boards, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        char entry[32];
        if (boards[i].fails)
            std::snprintf(entry, sizeof entry, "%sfail", i ? "," : "");
        else
            std::snprintf(entry, sizeof entry, "%s%X:%X", i ? "," : "", unsigned(boards[i].deviceId),
                          unsigned(boards[i].base));
        text += entry;
    }
    return text;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The variable's value is a C string: it ends at the first NUL.
    const std::string text(reinterpret_cast<const char *>(data), size);
    Board boards[BOARD_LIST_MAX];
    BoardListError error{0, nullptr};
    const int count = ParseBoards(text.c_str(), boards, BOARD_LIST_MAX, &error);
    FUZZ_CHECK(count >= -1 && count <= BOARD_LIST_MAX);
    if (count < 0) {
        FUZZ_CHECK(error.entry >= 1 && error.reason != nullptr && *error.reason != '\0');
        return 0;
    }
    for (int i = 0; i < count; ++i)
        FUZZ_CHECK(!boards[i].fails || (boards[i].deviceId == 0 && boards[i].base == 0));

    const std::string again = written(boards, count);
    Board reread[BOARD_LIST_MAX];
    FUZZ_CHECK(ParseBoards(again.c_str(), reread, BOARD_LIST_MAX, nullptr) == count);
    for (int i = 0; i < count; ++i) {
        FUZZ_CHECK(reread[i].fails == boards[i].fails);
        FUZZ_CHECK(reread[i].deviceId == boards[i].deviceId);
        FUZZ_CHECK(reread[i].base == boards[i].base);
    }
    // One board fewer room than the list needs is a malformed list, not a cut one.
    if (count > 0)
        FUZZ_CHECK(ParseBoards(text.c_str(), reread, count - 1, nullptr) == -1);
    return 0;
}
