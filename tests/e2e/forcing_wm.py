#!/usr/bin/env python3
"""A window manager that keeps every client at one fixed size, as tiling window managers
and snapped or maximised windows do: each new window is put at (0, 0) with WIDTH x HEIGHT,
and every later size request is answered with a synthetic ConfigureNotify of that same
geometry (the ICCCM answer to a refused request). Xlib through ctypes, nothing to build.
Counts the refused requests into COUNT_FILE, so a client that keeps asking shows.
It also iconifies: a WM_CHANGE_STATE request for IconicState (`xdotool windowminimize`)
unmaps the window and marks it iconic in WM_STATE; a map request (`xdotool windowmap`)
restores it. Usage: forcing_wm.py WIDTH HEIGHT COUNT_FILE (runs until killed)"""
import ctypes
import ctypes.util
import sys

MAP_REQUEST = 20
CONFIGURE_NOTIFY = 22
CONFIGURE_REQUEST = 23
CLIENT_MESSAGE = 33
NORMAL_STATE, ICONIC_STATE = 1, 3
SUBSTRUCTURE_REDIRECT_MASK = 1 << 20
STRUCTURE_NOTIFY_MASK = 1 << 17


class XMapRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("parent", ctypes.c_ulong), ("window", ctypes.c_ulong)]


class XConfigureRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("parent", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("x", ctypes.c_int), ("y", ctypes.c_int),
                ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("above", ctypes.c_ulong),
                ("detail", ctypes.c_int), ("value_mask", ctypes.c_ulong)]


class XConfigureEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("x", ctypes.c_int), ("y", ctypes.c_int),
                ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("above", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmaprequest", XMapRequestEvent),
                ("xclient", XClientMessageEvent),
                ("xconfigurerequest", XConfigureRequestEvent),
                ("xconfigure", XConfigureEvent), ("pad", ctypes.c_long * 24)]


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: forcing_wm.py WIDTH HEIGHT COUNT_FILE")
    width, height, count_file = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    xlib.XMoveResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_uint, ctypes.c_uint]
    xlib.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XUnmapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                     ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_void_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(XEvent)]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("forcing_wm.py: cannot open the display")
    wm_state = xlib.XInternAtom(display, b"WM_STATE", 0)
    wm_change_state = xlib.XInternAtom(display, b"WM_CHANGE_STATE", 0)

    def set_state(window, state):
        data = (ctypes.c_long * 2)(state, 0)
        xlib.XChangeProperty(display, window, wm_state, wm_state, 32, 0,  # PropModeReplace
                             ctypes.cast(data, ctypes.c_void_p), 2)

    xlib.XSelectInput(display, xlib.XDefaultRootWindow(display), SUBSTRUCTURE_REDIRECT_MASK)
    xlib.XSync(display, 0)
    refused = 0
    with open(count_file, "w") as f:
        f.write("0\n")
    event = XEvent()
    while True:
        xlib.XNextEvent(display, ctypes.byref(event))
        if event.type == MAP_REQUEST:
            window = event.xmaprequest.window
            xlib.XMoveResizeWindow(display, window, 0, 0, width, height)
            xlib.XMapWindow(display, window)
            set_state(window, NORMAL_STATE)
        elif (event.type == CLIENT_MESSAGE and event.xclient.message_type == wm_change_state
              and event.xclient.data[0] == ICONIC_STATE):
            xlib.XUnmapWindow(display, event.xclient.window)
            set_state(event.xclient.window, ICONIC_STATE)
        elif event.type == CONFIGURE_REQUEST:
            window = event.xconfigurerequest.window
            answer = XEvent()
            answer.xconfigure.type = CONFIGURE_NOTIFY
            answer.xconfigure.send_event = 1
            answer.xconfigure.event = window
            answer.xconfigure.window = window
            answer.xconfigure.x, answer.xconfigure.y = 0, 0
            answer.xconfigure.width, answer.xconfigure.height = width, height
            xlib.XSendEvent(display, window, 0, STRUCTURE_NOTIFY_MASK, ctypes.byref(answer))
            refused += 1
            with open(count_file, "w") as f:
                f.write(f"{refused}\n")
        xlib.XSync(display, 0)


if __name__ == "__main__":
    main()
