// The few X11 calls GDK does not offer. Kept apart because Xlib's headers define macros
// (None, Bool, Window ...) that clash with ordinary names.
#pragma once

#include <gdk/gdk.h>

namespace platform::gtk {

// Gives the window an empty bounding shape (wholly invisible). GDK drops an empty region
// on its way to the server, so the shape request is made here.
void SetEmptyXShape(GdkWindow* window);

}  // namespace platform::gtk

namespace platform::gtk {

// Accepts key events that other programs send straight to the toplevel window
// (XSendEvent, as `xdotool key --window` does). GDK reads keys through XInput 2 only and
// drops such core events; here they are selected and handed to GTK as ordinary key events.
void AcceptSentKeyEvents(GdkWindow* toplevel);
void RemoveSentKeyFilter(GdkWindow* toplevel);

}  // namespace platform::gtk
