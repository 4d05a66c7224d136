#!/usr/bin/python3
"""Asks an X window to close as its close box would: the window manager's WM_DELETE_WINDOW message,
which Wine turns into the window's own close command. Works with no window manager running.
   close-window.py <window id>"""
import sys

from Xlib import X, display, protocol

screen = display.Display()
window = screen.create_resource_object("window", int(sys.argv[1], 0))
protocols = screen.intern_atom("WM_PROTOCOLS")
message = protocol.event.ClientMessage(
    window=window,
    client_type=protocols,
    data=(32, [screen.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]),
)
window.send_event(message, event_mask=X.NoEventMask)
screen.sync()
