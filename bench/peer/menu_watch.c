/* Times, from outside, how soon a program shows a menu for a right click: moves the pointer
 * to (X, Y), presses and releases the right button through XTest, and waits for the first
 * override-redirect window larger than 1 x 1 (a menu; GTK keeps 1 x 1 helpers) to be mapped
 * on the screen. bench/web_menu.sh measures the skinned and the plain web context menu with
 * it.
 *   menu_watch X Y [timeout ms = 5000]
 * Prints "mapped <us>" (press to map, microseconds) and exits 0, or exits 1 on the timeout. */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long long NowMicros(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000 + ts.tv_nsec / 1000;
}

static int IsMenuWindow(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 0;
    return attributes.override_redirect && attributes.width > 1 && attributes.height > 1;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: menu_watch X Y [timeout ms]\n");
        return 2;
    }
    const int x = atoi(argv[1]), y = atoi(argv[2]);
    const long long timeout = (argc > 3 ? atoll(argv[3]) : 5000) * 1000;
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "menu_watch: no display\n");
        return 2;
    }
    int eventBase, errorBase, major, minor;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        fprintf(stderr, "menu_watch: the X server has no XTest\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
    const long long start = NowMicros();
    XTestFakeButtonEvent(display, 3, True, CurrentTime);
    XTestFakeButtonEvent(display, 3, False, CurrentTime);
    XFlush(display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.override_redirect &&
                IsMenuWindow(display, event.xmap.window)) {
                printf("mapped %lld\n", NowMicros() - start);
                XCloseDisplay(display);
                return 0;
            }
        }
        const long long left = start + timeout - NowMicros();
        if (left <= 0) break;
        struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, (int)(left / 1000) + 1);
    }
    fprintf(stderr, "menu_watch: no menu window within %lld ms\n", timeout / 1000);
    XCloseDisplay(display);
    return 1;
}
