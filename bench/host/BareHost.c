/* The floor of any environment for a model that prints one line per
 * OutputResult call: a bare C host of the interpreter library. It loads
 * libtavo.so by dlopen (from beside itself, as the environment does), offers
 * an OutputResult that only appends each chunk to one growing buffer and
 * records where it starts, an IsBreak that never pumps, and no DLL names; then
 * it runs the model of a million 61-byte lines with update limit 1 and prints
 * the wall and processor time of each run.
 *
 *   bare_host [runs] [model]    default: 5 runs of the model written here
 *
 * The first run writes its text into fresh memory, as the first run of a
 * program does; the later ones reuse it, as later runs of an environment do.
 *
 * Whatever an environment does per line beyond this (lines, repaints, the
 * pump) is its own cost. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <limits.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include "tavo_abi.h"

enum { kLines = 1000000 };

static char *g_text;
static size_t g_used, g_room;
static size_t *g_starts;
static size_t g_count, g_slots;
static int g_failed;

static int Grow(void **block, size_t *room, size_t needed, size_t unit)
{
    size_t grown = *room ? *room : 4096;
    while (grown < needed)
        grown *= 2;
    void *moved = realloc(*block, grown * unit);
    if (!moved)
        return 0;
    *block = moved;
    *room = grown;
    return 1;
}

static int OutputResult(const char *text)
{
    const size_t length = strlen(text);
    if ((g_used + length + 1 > g_room && !Grow((void **)&g_text, &g_room, g_used + length + 1, 1)) ||
        (g_count == g_slots && !Grow((void **)&g_starts, &g_slots, g_count + 1, sizeof *g_starts))) {
        g_failed = 1;
        return 0;
    }
    g_starts[g_count++] = g_used;
    memcpy(g_text + g_used, text, length + 1);
    g_used += length;
    return 1;
}

static int IsBreak(void) { return 0; }
static int GetNumberOfDLLs(void) { return 0; }
static const char *GetDLLName(int index) { (void)index; return NULL; }

static void *Lookup(const char *name)
{
    if (strcmp(name, "OutputResult") == 0)
        return (void *)&OutputResult;
    if (strcmp(name, "IsBreak") == 0)
        return (void *)&IsBreak;
    if (strcmp(name, "GetNumberOfDLLs") == 0)
        return (void *)&GetNumberOfDLLs;
    if (strcmp(name, "GetDLLName") == 0)
        return (void *)&GetDLLName;
    return NULL;
}

/* libtavo.so from the folder of this executable. */
static void *LoadLibrary(void)
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return NULL;
    path[length] = '\0';
    char *slash = strrchr(path, '/');
    if (!slash || (size_t)(slash - path) + sizeof "/libtavo.so" > sizeof path)
        return NULL;
    strcpy(slash, "/libtavo.so");
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

static int WriteModel(const char *path)
{
    FILE *file = fopen(path, "wb");
    if (!file)
        return 0;
    char line[61];
    for (int i = 0; i < 60; ++i)
        line[i] = (char)('a' + i % 26);
    line[60] = '\0';
    fprintf(file, "i = 0;\nwhile (i < %d) { print \"%s\\n\"; i++; }\n", kLines, line);
    return fclose(file) == 0;
}

static double Seconds(clockid_t clock)
{
    struct timespec now;
    clock_gettime(clock, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

static int CompareDoubles(const void *a, const void *b)
{
    const double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? atoi(argv[1]) : 5;
    char model[] = "/tmp/bare_host_XXXXXX.nuv";
    const char *path = argc > 2 ? argv[2] : model;
    if (argc <= 2) {
        const int fd = mkstemps(model, 4);
        if (fd < 0 || close(fd) != 0 || !WriteModel(model)) {
            fprintf(stderr, "bare_host: cannot write the model\n");
            return 1;
        }
    }
    if (runs < 1 || runs > 100) {
        fprintf(stderr, "bare_host: 1 to 100 runs\n");
        return 1;
    }
    double times[100], cpu[100];
    int status = 0;
    for (int run = 0; run < runs && status == 0; ++run) {
        void *library = LoadLibrary();
        uint32_t (*parserMain)(const char *, NuvLookupService) = library ? dlsym(library, "parser_main") : NULL;
        void (*setUpdateLimit)(int) = library ? dlsym(library, "SetUpdateLimit") : NULL;
        if (!parserMain || !setUpdateLimit) {
            fprintf(stderr, "bare_host: %s\n", dlerror());
            status = 1;
            break;
        }
        setUpdateLimit(1);
        const double start = Seconds(CLOCK_MONOTONIC);
        const double startCpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
        const uint32_t outcome = parserMain(path, &Lookup);
        times[run] = Seconds(CLOCK_MONOTONIC) - start;
        cpu[run] = Seconds(CLOCK_PROCESS_CPUTIME_ID) - startCpu;
        printf("run %d: %.3f s (cpu %.3f s), %zu calls, %zu bytes, outcome %u\n", run + 1, times[run], cpu[run],
               g_count, g_used, outcome);
        if (g_failed || (outcome & 0xFFFF) != TAVO_OUTCOME_FINISHED)
            status = 1;
        /* The buffers stay for the next run, as a long-lived host keeps them:
           only the first run writes into memory the process never touched. */
        g_used = g_count = 0;
        dlclose(library);
    }
    free(g_text);
    free(g_starts);
    if (status == 0 && runs > 1) {
        qsort(times + 1, (size_t)runs - 1, sizeof times[0], CompareDoubles);
        qsort(cpu + 1, (size_t)runs - 1, sizeof cpu[0], CompareDoubles);
        printf("median of runs 2-%d: %.3f s (cpu %.3f s)\n", runs, times[1 + (runs - 1) / 2], cpu[1 + (runs - 1) / 2]);
    }
    if (argc <= 2)
        unlink(model);
    return status;
}
