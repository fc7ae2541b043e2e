/* Preloaded into the game by the end-to-end tests that play on the wall clock: each buffer
 * swap returns at the next tick of a 30 Hz refresh, as on a player's screen with vertical
 * sync where every other refresh of 60 Hz is missed, instead of at once as under Xvfb. The
 * game then draws 30 frames a second rather than as many as a core allows, and its clock
 * readings are still real.
 * Usage: LD_PRELOAD=librefresh_pace.so kerbrunner ...
 * Depends on: the C library's clock and the dynamic linker. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdint.h>
#include <time.h>

typedef struct _XDisplay Display;
typedef unsigned long GLXDrawable;
typedef void (*SwapFunction)(Display*, GLXDrawable);

enum { REFRESH_HZ = 30 };
static const int64_t NS_PER_SECOND = 1000000000;

static int64_t nowNs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (int64_t)t.tv_sec * NS_PER_SECOND + t.tv_nsec;
}

void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static SwapFunction realSwap;
    static int64_t nextTick;
    if (!realSwap) realSwap = (SwapFunction)dlsym(RTLD_NEXT, "glXSwapBuffers");
    if (realSwap) realSwap(display, drawable);
    int64_t now = nowNs();
    /* A frame that took longer than a tick waits for the next one after it, as a late frame
     * does on a real display. */
    nextTick += NS_PER_SECOND / REFRESH_HZ;
    if (nextTick <= now) nextTick = now + NS_PER_SECOND / REFRESH_HZ;
    struct timespec until = {(time_t)(nextTick / NS_PER_SECOND), (long)(nextTick % NS_PER_SECOND)};
    /* clock_nanosleep returns the error itself; only a signal's interruption waits again. */
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, NULL) == EINTR) {
    }
}
