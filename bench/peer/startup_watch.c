/* Runs a program and watches, from outside, when the X server shows its window: the moment
 * the program's own top-level window becomes viewable (mapped, inside a mapped window-manager
 * frame) and the moment its content is first drawn there. bench/startup.sh measures every
 * program it compares the same way with it.
 *   startup_watch [--name NAME] -- program [arguments...]
 * The window is the first top-level (not override-redirect) window whose _NET_WM_PID is the
 * program's and, with --name, whose title is NAME. Prints on stdout, one line each, times in
 * microseconds of the real-time clock (the clock of bash's EPOCHREALTIME):
 *   start <us>     just before the program was started
 *   pid <pid>
 *   mapped <us>    the window became viewable
 *   painted <us>   the first damage of the mapped window after which its pixels hold more
 *                  than one colour (a window only cleared to its background is not painted)
 * then waits for the program and exits with its status. The program keeps this process's
 * stdin, stderr and environment; its stdout is this process's stderr, so that the watch
 * lines stay alone on stdout. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { kMaxCandidates = 64 };

typedef struct {
    Window window;
    Damage damage;
    int matched; /* 1 yes, 0 not yet known */
} Candidate;

static Display* display;
static Atom pidAtom, nameAtom, utf8Atom;
static pid_t child;
static const char* wantedName;
static Candidate candidates[kMaxCandidates];
static int candidateCount;
static Window shown; /* the program's window once it is viewable */
static int painted;
static int damageEvent, damageError;

static long long NowMicros(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

static void Report(const char* what, long long micros) {
    printf("%s %lld\n", what, micros);
    fflush(stdout);
}

/* Windows may vanish between an event and the request about them. */
static int IgnoreErrors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0;
}

static int WindowPid(Window w, pid_t* pid) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    int found = 0;
    if (XGetWindowProperty(display, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data && type == XA_CARDINAL && format == 32 && count == 1) {
        *pid = (pid_t) * (unsigned long*)data;
        found = 1;
    }
    if (data) XFree(data);
    return found;
}

static int TitleIs(Window w, const char* name) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    int same = 0;
    if (XGetWindowProperty(display, w, nameAtom, 0, 1024, False, utf8Atom, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 8) {
        same = strlen(name) == count && memcmp(data, name, count) == 0;
    } else {
        if (data) XFree(data);
        data = NULL;
        char* legacy = NULL;
        if (XFetchName(display, w, &legacy) && legacy) same = strcmp(legacy, name) == 0;
        if (legacy) XFree(legacy);
    }
    if (data) XFree(data);
    return same;
}

/* Decides whether a candidate is the program's window; its damage is watched from then on. */
static void Match(Candidate* c) {
    if (c->matched) return;
    pid_t pid = 0;
    if (!WindowPid(c->window, &pid) || pid != child) return;
    if (wantedName && !TitleIs(c->window, wantedName)) return;
    c->matched = 1;
    c->damage = XDamageCreate(display, c->window, XDamageReportNonEmpty);
}

static Candidate* Find(Window w) {
    for (int i = 0; i < candidateCount; ++i)
        if (candidates[i].window == w) return &candidates[i];
    return NULL;
}

static void Track(Window w) {
    if (Find(w) || candidateCount == kMaxCandidates) return;
    Candidate* c = &candidates[candidateCount++];
    c->window = w;
    c->damage = None;
    c->matched = 0;
    XSelectInput(display, w, StructureNotifyMask | PropertyChangeMask);
    Match(c);
}

static int Viewable(Window w) {
    XWindowAttributes a;
    return XGetWindowAttributes(display, w, &a) && a.map_state == IsViewable;
}

/* Whether the window's pixels hold more than one colour. */
static int HasContent(Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, w, &a) || a.width <= 0 || a.height <= 0) return 0;
    XImage* image =
        XGetImage(display, w, 0, 0, (unsigned)a.width, (unsigned)a.height, AllPlanes, ZPixmap);
    if (!image) return 0;
    const unsigned long first = XGetPixel(image, 0, 0);
    int varied = 0;
    for (int y = 0; y < a.height && !varied; ++y)
        for (int x = 0; x < a.width; ++x)
            if (XGetPixel(image, x, y) != first) {
                varied = 1;
                break;
            }
    XDestroyImage(image);
    return varied;
}

static void CheckShown(long long when) {
    if (shown) return;
    for (int i = 0; i < candidateCount; ++i) {
        Candidate* c = &candidates[i];
        Match(c);
        if (c->matched && Viewable(c->window)) {
            shown = c->window;
            Report("mapped", when);
            return;
        }
    }
}

static void HandleEvent(const XEvent* e, long long when) {
    switch (e->type) {
        case CreateNotify:
            if (!e->xcreatewindow.override_redirect &&
                e->xcreatewindow.parent == DefaultRootWindow(display))
                Track(e->xcreatewindow.window);
            break;
        case PropertyNotify:
            if (e->xproperty.atom == pidAtom || e->xproperty.atom == nameAtom ||
                e->xproperty.atom == XA_WM_NAME) {
                Candidate* c = Find(e->xproperty.window);
                if (c) Match(c);
                CheckShown(when); /* a window may get its title only once it is mapped */
            }
            break;
        case MapNotify:
            CheckShown(when);
            break;
        default:
            if (e->type == damageEvent + XDamageNotify) {
                const XDamageNotifyEvent* d = (const XDamageNotifyEvent*)e;
                XDamageSubtract(display, d->damage, None, None);
                if (shown && !painted && d->drawable == shown && HasContent(shown)) {
                    painted = 1;
                    Report("painted", when);
                }
            }
            break;
    }
}

int main(int argc, char** argv) {
    int first = 1;
    if (first + 1 < argc && strcmp(argv[first], "--name") == 0) {
        wantedName = argv[first + 1];
        first += 2;
    }
    if (first < argc && strcmp(argv[first], "--") == 0) ++first;
    if (first >= argc) {
        fprintf(stderr, "usage: startup_watch [--name NAME] -- program [arguments...]\n");
        return 2;
    }
    display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "startup_watch: cannot open the display\n");
        return 2;
    }
    int damageMajor, damageMinor;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError) ||
        !XDamageQueryVersion(display, &damageMajor, &damageMinor)) {
        fprintf(stderr, "startup_watch: the X server has no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    nameAtom = XInternAtom(display, "_NET_WM_NAME", False);
    utf8Atom = XInternAtom(display, "UTF8_STRING", False);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    Report("start", NowMicros());
    child = fork();
    if (child < 0) {
        perror("startup_watch: fork");
        return 2;
    }
    if (child == 0) {
        close(ConnectionNumber(display));
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[first], argv + first);
        fprintf(stderr, "startup_watch: cannot run %s: %s\n", argv[first], strerror(errno));
        _exit(127);
    }
    printf("pid %d\n", (int)child);
    fflush(stdout);

    int status = 0;
    const int fd = ConnectionNumber(display);
    while (!painted) {
        /* Events read together arrived together: they share the time they were read at, so
         * a slow request made for one (reading pixels) does not delay the next one's time.
         * Events that come in during such a request are timed with the next batch. */
        int queued;
        while (!painted && (queued = XEventsQueued(display, QueuedAfterReading)) > 0) {
            const long long arrived = NowMicros();
            for (int i = 0; i < queued && !painted; ++i) {
                XEvent e;
                XNextEvent(display, &e);
                HandleEvent(&e, arrived);
            }
        }
        if (painted) break;
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        struct pollfd p = {fd, POLLIN, 0};
        poll(&p, 1, 50);
    }
    XCloseDisplay(display);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
