/* Times the runs of the real program from outside it, as a person sees them:
 * preloaded into the environment, it notes when the interpreter library is
 * loaded (a run starts) and released (the run has ended) and prints the time
 * between, and the processor time the program used meanwhile, to stderr.
 *
 *   LD_PRELOAD=.../librun_timer.so nuv model.nuv
 *
 * Nothing else changes: every call goes on to the C library's own dlopen and
 * dlclose. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

static void *g_library;
static double g_start, g_startCpu;

static double Seconds(clockid_t clock)
{
    struct timespec now;
    clock_gettime(clock, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

void *dlopen(const char *file, int mode)
{
    void *(*next)(const char *, int) = (void *(*)(const char *, int))dlsym(RTLD_NEXT, "dlopen");
    const double start = Seconds(CLOCK_MONOTONIC), startCpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    void *library = next(file, mode);
    if (library && file && strstr(file, "libtavo.so")) {
        g_library = library;
        g_start = start;
        g_startCpu = startCpu;
    }
    return library;
}

int dlclose(void *library)
{
    int (*next)(void *) = (int (*)(void *))dlsym(RTLD_NEXT, "dlclose");
    const int result = next(library);
    if (g_library && library == g_library) {
        fprintf(stderr, "run_timer: run %.3f s, processor %.3f s\n", Seconds(CLOCK_MONOTONIC) - g_start,
                Seconds(CLOCK_PROCESS_CPUTIME_ID) - g_startCpu);
        g_library = NULL;
    }
    return result;
}
