/* The C interface of the interpreter library libtavo.so.
 *
 * The environment loads the library at the start of every run, resolves these symbols by name
 * and releases the library when the run ends. All functions use C linkage; int is 32 bits.
 * Everything here is called on one thread (the caller's); none of it is reentrant except that
 * IsBusy and the settings may be called at any time.
 */
#ifndef TAVO_ABI_H
#define TAVO_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(TAVO_BUILDING_LIBRARY)
#define TAVO_API __attribute__((visibility("default")))
#else
#define TAVO_API
#endif

/* Finds a service of the environment by its exact, case-sensitive name; NULL when unknown.
 * Services:  "OutputResult"     int (*)(const char *text)   1 stored, 0 failed
 *            "IsBreak"          int (*)(void)               1 stop the run, 0 continue
 *            "GetNumberOfDLLs"  int (*)(void)               number of additional DLL names
 *            "GetDLLName"       const char *(*)(int index)  a name, or NULL out of range   */
typedef void *(*NuvLookupService)(const char *name);

typedef int (*NuvOutputResult)(const char *text);
typedef int (*NuvIsBreak)(void);
typedef int (*NuvGetNumberOfDLLs)(void);
typedef const char *(*NuvGetDLLName)(int index);
typedef int (*NuvPreprocReceiver)(const char *text);

/* Outcome kinds: the low 16 bits of parser_main's result. */
enum {
    TAVO_OUTCOME_ERRORS = 1,  /* syntax or run-time error; error lines were printed */
    TAVO_OUTCOME_STOPPED = 2, /* IsBreak answered 1 */
    TAVO_OUTCOME_FINISHED = 3, /* normal end (also: preprocessing only, without error) */
    TAVO_OUTCOME_FATAL = 4    /* the run could not take place: unreadable model, missing service, ... */
};

/* Preprocesses and runs the model at modelPath synchronously, looking the services up once at
 * the start. Returns an outcome kind (high 16 bits are 0). */
TAVO_API uint32_t parser_main(const char *modelPath, NuvLookupService lookup);

/* 1: the next parser_main only preprocesses and keeps the text for GivePreprocText. */
TAVO_API void PreprocessOnly(int on);
/* Update limit 0..20 (values outside are clamped): how many print statements are collected
 * into one OutputResult call (0 behaves like 1). Default 20. */
TAVO_API int GetUpdateLimit(void);
TAVO_API void SetUpdateLimit(int limit);
/* 1 (default): an array index out of range is a run-time error; 0: the index wraps around. */
TAVO_API void SetRangeCheck(int on);
/* Non-zero while some process (this one included) is inside parser_main. */
TAVO_API int IsBusy(void);
/* Hands the text kept by the last preprocess-only run to receiver in one call. */
TAVO_API void GivePreprocText(NuvPreprocReceiver receiver, int reserved);

#ifdef __cplusplus
}
#endif

#endif /* TAVO_ABI_H */
