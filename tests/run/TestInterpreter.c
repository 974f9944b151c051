/* A stand-in for the interpreter library with one flaw chosen at build time:
   TEST_NOENTRY lacks IsBusy, TEST_BUSY is always busy, TEST_NOLISTING lacks
   GivePreprocText, TEST_CRASH dereferences a null pointer in its run, TEST_HANG
   never returns from its run and never polls IsBreak (it says so on stdout
   first, so that a test knows when), TEST_OUTCOME=n returns n. Its run prints
   one line and finishes. */
#include "tavo/tavo_abi.h"

#ifdef TEST_HANG
#include <time.h>
#include <unistd.h>
#endif

#define EXPORT __attribute__((visibility("default")))

EXPORT uint32_t parser_main(const char *modelPath, NuvLookupService lookup)
{
    NuvOutputResult output = (NuvOutputResult)lookup("OutputResult");
    (void)modelPath;
    if (output)
        output("test interpreter ran\n");
#ifdef TEST_CRASH
    {
        volatile int *nowhere = 0;
        *nowhere = 1;
    }
#endif
#ifdef TEST_HANG
    {
        static const char hanging[] = "hanging\n";
        struct timespec second = {1, 0};
        if (write(STDOUT_FILENO, hanging, sizeof hanging - 1) < 0)
            return TAVO_OUTCOME_FINISHED;
        for (;;)
            nanosleep(&second, 0);
    }
#endif
#ifdef TEST_OUTCOME
    return TEST_OUTCOME;
#else
    return TAVO_OUTCOME_FINISHED;
#endif
}

EXPORT void PreprocessOnly(int on) { (void)on; }
EXPORT int GetUpdateLimit(void) { return 20; }
EXPORT void SetUpdateLimit(int limit) { (void)limit; }
EXPORT void SetRangeCheck(int on) { (void)on; }

#ifndef TEST_NOENTRY
EXPORT int IsBusy(void)
{
#ifdef TEST_BUSY
    return 1;
#else
    return 0;
#endif
}
#endif

#ifndef TEST_NOLISTING
EXPORT void GivePreprocText(NuvPreprocReceiver receiver, int reserved)
{
    (void)reserved;
    receiver("listing");
}
#endif
