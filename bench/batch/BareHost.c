/* The least any host of the interpreter library must do for one run: load the
   library, resolve parser_main, hand it a lookup whose OutputResult writes the
   text to standard output and whose IsBreak says no, and run the model given
   as its argument. nuv-run's start-up is measured against this. */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

#include "tavo/tavo_abi.h"

static int Output(const char *text)
{
    fputs(text, stdout);
    return 1;
}

static int NoBreak(void)
{
    return 0;
}

static void *Lookup(const char *name)
{
    if (strcmp(name, "OutputResult") == 0)
        return (void *)&Output;
    if (strcmp(name, "IsBreak") == 0)
        return (void *)&NoBreak;
    return NULL;
}

int main(int argc, char **argv)
{
    if (argc != 2)
        return 64;
    void *library = dlopen("libtavo.so", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return 69;
    uint32_t (*parserMain)(const char *, NuvLookupService) = (uint32_t(*)(const char *, NuvLookupService))dlsym(library, "parser_main");
    if (!parserMain)
        return 70;
    const uint32_t outcome = parserMain(argv[1], &Lookup);
    dlclose(library);
    return (outcome & 0xFFFF) == 3 ? 0 : 1;
}
