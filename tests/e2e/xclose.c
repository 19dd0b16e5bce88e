/* Asks X windows to close as a window manager does: a WM_PROTOCOLS
 * ClientMessage carrying WM_DELETE_WINDOW.  xclose WINDOW-ID...  */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "xclose: cannot open the display\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        XEvent e = {0};
        e.xclient.type = ClientMessage;
        e.xclient.window = (Window)strtoul(argv[i], NULL, 0);
        e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
    }
    XCloseDisplay(d);
    return 0;
}
