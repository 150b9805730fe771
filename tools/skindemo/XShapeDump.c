/* pb_xshape WINDOW: prints the bounding shape of an X window as one "x y w h" line per
 * rectangle (window coordinates), for the end-to-end tests. */
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: pb_xshape WINDOW-ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "pb_xshape: cannot open the display\n");
        return 1;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
    for (int i = 0; i < count; ++i)
        printf("%d %d %d %d\n", rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    if (rects) XFree(rects);
    XCloseDisplay(display);
    return 0;
}
