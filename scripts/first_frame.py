#!/usr/bin/env python3
"""Time from exec to the clock's first frame on the screen of the current X display: starts
the program, then reads one pixel of its window's top-left corner from the screen every
2 ms until it shows the face's background colour. Prints the milliseconds and ends the
program. Xlib through ctypes, so nothing needs building.
Usage: first_frame.py PROGRAM [WORKING_DIRECTORY]"""
import ctypes
import ctypes.util
import subprocess
import sys
import time

FACE_BACKGROUND = (236, 233, 216)
ALL_PLANES = ctypes.c_ulong(-1).value
Z_PIXMAP = 2


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


def load_xlib():
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                ctypes.POINTER(ctypes.c_ulong),
                                ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                ctypes.POINTER(ctypes.c_uint)]
    xlib.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    xlib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                          ctypes.POINTER(XWindowAttributes)]
    xlib.XGetImage.restype = ctypes.c_void_p
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                               ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    xlib.XGetPixel.restype = ctypes.c_ulong
    xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
    return xlib


def clock_window(xlib, display, root):
    """The viewable top-level window named Dorvalen, as (x, y), or None."""
    root_return, parent = ctypes.c_ulong(), ctypes.c_ulong()
    children = ctypes.POINTER(ctypes.c_ulong)()
    count = ctypes.c_uint()
    if not xlib.XQueryTree(display, root, ctypes.byref(root_return), ctypes.byref(parent),
                           ctypes.byref(children), ctypes.byref(count)):
        return None
    found = None
    for i in range(count.value):
        name = ctypes.c_char_p()
        if xlib.XFetchName(display, children[i], ctypes.byref(name)) and name.value:
            is_clock = name.value == b"Dorvalen"
            xlib.XFree(name)
            attributes = XWindowAttributes()
            if is_clock and xlib.XGetWindowAttributes(display, children[i],
                                                      ctypes.byref(attributes)):
                if attributes.map_state == 2:  # IsViewable
                    found = (attributes.x, attributes.y)
                    break
    if children:
        xlib.XFree(children)
    return found


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: first_frame.py PROGRAM [WORKING_DIRECTORY]")
    xlib = load_xlib()
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("first_frame.py: cannot open the display")
    root = xlib.XDefaultRootWindow(display)
    start = time.monotonic()
    program = subprocess.Popen([sys.argv[1]], cwd=sys.argv[2] if len(sys.argv) == 3 else None,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:  # the few 1x1 images the polls take are left to the end of this script
        while time.monotonic() - start < 20:
            corner = clock_window(xlib, display, root)
            if corner is not None:
                image = xlib.XGetImage(display, root, corner[0] + 1, corner[1] + 1, 1, 1,
                                       ALL_PLANES, Z_PIXMAP)
                if image:
                    pixel = xlib.XGetPixel(image, 0, 0)
                    rgb = ((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255)
                    if rgb == FACE_BACKGROUND:
                        print(f"{(time.monotonic() - start) * 1000:.0f}")
                        return
            time.sleep(0.002)
        sys.exit("first_frame.py: no face within 20 s")
    finally:
        program.terminate()
        program.wait()


if __name__ == "__main__":
    main()
