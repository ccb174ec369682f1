#!/usr/bin/env python3
"""A window manager that only iconifies, for windows already on the screen: a
WM_CHANGE_STATE request for IconicState (what `xdotool windowminimize` sends) unmaps the
window and marks it iconic in WM_STATE; a map request (`xdotool windowmap`) restores it.
Size requests go unanswered, so start it once the windows it manages have their size. Xlib through ctypes, nothing to build. Writes "ready" to READY_FILE once it runs.
Usage: iconifying_wm.py READY_FILE (runs until killed)"""
import ctypes
import ctypes.util
import sys

MAP_REQUEST = 20
CLIENT_MESSAGE = 33
SUBSTRUCTURE_REDIRECT_MASK = 1 << 20
NORMAL_STATE, ICONIC_STATE = 1, 3
PROP_MODE_REPLACE = 0


class XMapRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("parent", ctypes.c_ulong), ("window", ctypes.c_ulong)]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmaprequest", XMapRequestEvent),
                ("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: iconifying_wm.py READY_FILE")
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    xlib.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XUnmapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                     ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_void_p, ctypes.c_int]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("iconifying_wm.py: cannot open the display")
    wm_state = xlib.XInternAtom(display, b"WM_STATE", 0)
    wm_change_state = xlib.XInternAtom(display, b"WM_CHANGE_STATE", 0)

    def set_state(window, state):
        data = (ctypes.c_long * 2)(state, 0)
        xlib.XChangeProperty(display, window, wm_state, wm_state, 32, PROP_MODE_REPLACE,
                             ctypes.cast(data, ctypes.c_void_p), 2)

    xlib.XSelectInput(display, xlib.XDefaultRootWindow(display), SUBSTRUCTURE_REDIRECT_MASK)
    xlib.XSync(display, 0)
    with open(sys.argv[1], "w") as f:
        f.write("ready\n")
    event = XEvent()
    while True:
        xlib.XNextEvent(display, ctypes.byref(event))
        if event.type == MAP_REQUEST:
            xlib.XMapWindow(display, event.xmaprequest.window)
            set_state(event.xmaprequest.window, NORMAL_STATE)
        elif (event.type == CLIENT_MESSAGE and event.xclient.message_type == wm_change_state
              and event.xclient.data[0] == ICONIC_STATE):
            xlib.XUnmapWindow(display, event.xclient.window)
            set_state(event.xclient.window, ICONIC_STATE)
        xlib.XSync(display, 0)


if __name__ == "__main__":
    main()
