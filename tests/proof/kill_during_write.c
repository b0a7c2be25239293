/*
 * Preloaded into ventrix by the interrupted-write test: ends the program with
 * SIGKILL at a chosen moment of saving a file, as a power cut or a kill would.
 *   VENTRIX_KILL_FILE  a part of the saved file's path (e.g. "ridge.sav")
 *   VENTRIX_KILL_AT    "write":  after half of the first block written to a file opened
 *                                for writing whose path holds that part
 *                      "rename": just before a file whose new name holds it replaces the old
 * Without VENTRIX_KILL_FILE the calls pass straight through.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static FILE* watched;

static int matches(const char* path) {
    const char* part = getenv("VENTRIX_KILL_FILE");
    return part && *part && path && strstr(path, part);
}

static int killPoint(const char* point) {
    const char* at = getenv("VENTRIX_KILL_AT");
    return at && strcmp(at, point) == 0;
}

static void killNow(const char* why) {
    static const char note[] = "kill_during_write: killing ventrix ";
    write(2, note, sizeof note - 1);
    write(2, why, strlen(why));
    write(2, "\n", 1);
    raise(SIGKILL);
}

FILE* fopen(const char* path, const char* mode) {
    FILE* (*real)(const char*, const char*) = dlsym(RTLD_NEXT, "fopen");
    FILE* file = real(path, mode);
    if (file && matches(path) && (strchr(mode, 'w') || strchr(mode, 'a'))) watched = file;
    return file;
}

size_t fwrite(const void* data, size_t size, size_t count, FILE* file) {
    size_t (*real)(const void*, size_t, size_t, FILE*) = dlsym(RTLD_NEXT, "fwrite");
    if (file == watched && file && killPoint("write") && size * count > 1) {
        real(data, 1, size * count / 2, file);
        fflush(file);
        killNow("half way through writing");
    }
    return real(data, size, count, file);
}

int rename(const char* from, const char* to) {
    int (*real)(const char*, const char*) = dlsym(RTLD_NEXT, "rename");
    if (matches(to) && killPoint("rename")) killNow("before the new file replaces the old");
    return real(from, to);
}
