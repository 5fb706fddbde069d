"""What a person at the X display sees and does, as a test program needs it.

Everything here talks to the X server only: the window tree and its geometry, the pixels on
the screen, and input through the XTEST extension, which the server treats like a real mouse
and keyboard. Nothing reaches into the program under test.
"""

import collections
import os
import select
import struct
import threading
import time
import zlib

from Xlib import X, XK, display, error
from Xlib.ext import randr, xtest

from .checks import Failure, wait_until
from .geometry import Rect

# The program's windows carry this WM_CLASS.
APP_CLASS = "quiravel"

# A monitor of the desktop, in pixels on the root window.
Monitor = collections.namedtuple("Monitor", "name x y width height primary")


class Window(collections.namedtuple("Window", "id x y width height viewable override name")):
    """A top-level window of the program as the X server shows it; x and y are on the root."""

    @property
    def size(self):
        return (self.width, self.height)

    @property
    def position(self):
        return (self.x, self.y)

    def at(self, x, y):
        """Screen coordinates of a point given in window coordinates."""
        return (self.x + x, self.y + y)

    def rect(self, x, y, width, height):
        return Rect(self.x + x, self.y + y, width, height)


def colour_name(rgb):
    return "#%02x%02x%02x" % rgb


class Input:
    """Pointer and keys through the XTEST extension on one connection to the X server, which
    the server treats like a real mouse and keyboard. Each call reaches the server before it
    returns."""

    def __init__(self, connection):
        if not connection.has_extension("XTEST"):
            raise RuntimeError("the X server has no XTEST extension")
        self.display = connection

    def _flush(self):
        self.display.sync()

    def move(self, x, y):
        xtest.fake_input(self.display, X.MotionNotify, x=int(x), y=int(y))
        self._flush()

    def press(self, button=1):
        xtest.fake_input(self.display, X.ButtonPress, button)
        self._flush()

    def release(self, button=1):
        xtest.fake_input(self.display, X.ButtonRelease, button)
        self._flush()

    def release_and_move(self, x, y, button=1):
        """Lets go of the button and moves on at once: both reach the program together, as
        they do from a hand that keeps moving."""
        xtest.fake_input(self.display, X.ButtonRelease, button)
        xtest.fake_input(self.display, X.MotionNotify, x=int(x), y=int(y))
        self._flush()

    def click(self, x, y, button=1):
        self.move(x, y)
        self.press(button)
        self.release(button)

    def double_click(self, x, y):
        self.move(x, y)
        for _ in range(2):
            self.press(1)
            self.release(1)

    def sweep(self, start, delta, steps=6):
        """Presses the left button at `start`, moves by `delta` in `steps` equal steps and
        lets go there."""
        self.move(*start)
        self.press(1)
        for i in range(1, steps + 1):
            self.move(start[0] + delta[0] * i // steps, start[1] + delta[1] * i // steps)
        self.release(1)

    def key(self, name):
        """Presses and releases a key, or a chord such as "Shift_L+Tab"."""
        keycodes = []
        for part in name.split("+"):
            keycode = self.display.keysym_to_keycode(XK.string_to_keysym(part))
            if not keycode:
                raise RuntimeError(f"no key for {part}")
            keycodes.append(keycode)
        for keycode in keycodes:
            xtest.fake_input(self.display, X.KeyPress, keycode)
        for keycode in reversed(keycodes):
            xtest.fake_input(self.display, X.KeyRelease, keycode)
        self._flush()


class Desktop(Input):
    """One connection to the X server: the window tree, pixels and XTEST input."""

    def __init__(self):
        super().__init__(display.Display())
        screen = self.display.screen()
        self.root = screen.root
        self.width = screen.width_in_pixels
        self.height = screen.height_in_pixels
        self.depth = screen.root_depth

    def close(self):
        self.display.close()

    def monitors(self):
        """The desktop's monitors as the X server's RandR extension reports them."""
        reply = randr.get_monitors(self.root, True)
        return [Monitor(self.display.get_atom_name(m.name), m.x, m.y, m.width_in_pixels,
                        m.height_in_pixels, bool(m.primary))
                for m in reply.monitors]

    def primary_monitor(self):
        """The monitor a program takes for its screen: the one marked primary, else the
        first; the whole root window if the server reports none."""
        monitors = self.monitors()
        for m in monitors:
            if m.primary:
                return m
        if monitors:
            return monitors[0]
        return Monitor("root", 0, 0, self.width, self.height, True)

    # --- the window tree ---------------------------------------------------------------

    def _class_of(self, window):
        try:
            wm_class = window.get_wm_class()
        except error.XError:
            return None
        return wm_class[0] if wm_class else None

    def _client_below(self, frame, depth=3):
        """The program's client window inside a window manager's frame, or None."""
        if depth == 0:
            return None
        try:
            children = frame.query_tree().children
        except error.XError:
            return None
        for child in children:
            if self._class_of(child) == APP_CLASS:
                return child
            found = self._client_below(child, depth - 1)
            if found is not None:
                return found
        return None

    def windows(self):
        """The program's top-level windows, mapped or not, in stacking order (bottom first).
        Windows that the program keeps for itself (1x1 helpers, the selection owner) are
        left out."""
        found = []
        for top in self.root.query_tree().children:
            try:
                attributes = top.get_attributes()
                if attributes.override_redirect:
                    client = top if self._class_of(top) == APP_CLASS else None
                else:
                    client = top if self._class_of(top) == APP_CLASS else self._client_below(top)
                if client is None:
                    continue
                client_attributes = (
                    attributes if client.id == top.id else client.get_attributes()
                )
                geometry = client.get_geometry()
                origin = client.translate_coords(self.root, 0, 0)
                name = client.get_wm_name()
            except error.XError:
                continue  # gone while we looked
            if geometry.width <= 1 and geometry.height <= 1:
                continue
            found.append(
                Window(
                    id=client.id,
                    x=-origin.x,
                    y=-origin.y,
                    width=geometry.width,
                    height=geometry.height,
                    viewable=client_attributes.map_state == X.IsViewable,
                    override=bool(attributes.override_redirect),
                    name=name if isinstance(name, str) else (name or b"").decode("latin-1"),
                )
            )
        return found

    def visible(self):
        return [w for w in self.windows() if w.viewable]

    def visible_of_size(self, size):
        matches = [w for w in self.visible() if w.size == tuple(size)]
        return matches[0] if len(matches) == 1 else None

    def existing(self, window_id):
        """The window with this id if it still exists, else None."""
        for w in self.windows():
            if w.id == window_id:
                return w
        return None

    def wait_visible(self, what, size, timeout):
        return wait_until(f"{what} ({size[0]}x{size[1]}) to be on screen",
                          lambda: self.visible_of_size(size), timeout)

    def wait_gone(self, what, window_id, timeout):
        """Waits until the window is no longer on screen; returns it if it still exists
        (hidden), or None if it was destroyed."""

        def probe():
            w = self.existing(window_id)
            if w is None:
                return ("destroyed",)
            if not w.viewable:
                return ("hidden", w)
            return None

        outcome = wait_until(f"{what} to leave the screen", probe, timeout)
        return outcome[1] if outcome[0] == "hidden" else None

    def wait_destroyed(self, what, window_id, timeout):
        wait_until(f"{what} to be closed (its window destroyed)",
                   lambda: self.existing(window_id) is None, timeout)

    def wait_position(self, what, window_id, position, timeout):
        def probe():
            w = self.existing(window_id)
            return w if w is not None and w.position == tuple(position) else None

        return wait_until(f"{what} at {tuple(position)}", probe, timeout)

    def window_named(self, name):
        """A viewable top-level window (of any program) whose WM_NAME is `name`, with the
        geometry of its client area."""
        for w in self.visible():
            if w.name == name:
                return w
        return None

    def pointer(self):
        where = self.root.query_pointer()
        return (where.root_x, where.root_y)

    def input_focus(self):
        focus = self.display.get_input_focus().focus
        return focus.id if hasattr(focus, "id") else focus

    def has_focus(self, window):
        """Whether the keyboard's input goes to the window: to its client window or to the
        window manager's frame around it (either may hold the focus)."""
        ids = {window.id}
        try:
            ids.add(self.display.create_resource_object("window", window.id).query_tree().parent.id)
        except error.XError:
            pass
        return self.input_focus() in ids

    def tree_text(self):
        """The program's windows, one a line, for failure reports."""
        lines = []
        for w in self.windows():
            lines.append(
                "  0x%08x %4dx%-4d at (%5d, %5d) %s%s name=%r"
                % (w.id, w.width, w.height, w.x, w.y,
                   "viewable" if w.viewable else "unmapped",
                   " override-redirect" if w.override else "", w.name)
            )
        return "\n".join(lines) if lines else "  (no windows)"

    # --- pixels ------------------------------------------------------------------------

    def _rgb_rows(self, rect):
        """The pixels of a screen rectangle, one bytes object of r, g, b triples a row."""
        x, y, width, height = rect
        image = self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF)
        data = image.data
        if isinstance(data, str):
            data = data.encode("latin-1")
        stride = len(data) // height
        rows = []
        for row in range(height):
            line = data[row * stride: row * stride + width * 4]
            # A 24-bit visual stores each pixel in 32 bits: blue, green, red, unused.
            rgb = bytearray(width * 3)
            rgb[0::3] = line[2::4]
            rgb[1::3] = line[1::4]
            rgb[2::3] = line[0::4]
            rows.append(bytes(rgb))
        return rows

    def grab(self, rect):
        """The pixels of a screen rectangle as rows of (r, g, b)."""
        return [[tuple(line[i:i + 3]) for i in range(0, len(line), 3)]
                for line in self._rgb_rows(rect)]

    def pixel(self, x, y):
        return self.grab(Rect(x, y, 1, 1))[0][0]

    def dominant_colour(self, rect):
        """The colour that most pixels of the rectangle have: a label's back colour, with its
        text's pixels and their anti-aliasing in the minority."""
        counts = collections.Counter(p for row in self.grab(rect) for p in row)
        return counts.most_common(1)[0][0]

    def wait_colour(self, what, rect, colour, timeout):
        """Waits until the rectangle's dominant colour is `colour`."""
        seen = []

        def probe():
            seen[:] = [self.dominant_colour(rect)]
            return seen[0] == tuple(colour)

        try:
            wait_until(f"{what} to be {colour_name(colour)}", probe, timeout)
        except Failure:
            raise Failure(f"{what}: expected {colour_name(colour)}, "
                          f"saw {colour_name(seen[0])} for {timeout:g} s") from None

    def fingerprint(self, rect):
        """The pixels of a rectangle, to tell whether what it shows has changed."""
        return tuple(tuple(row) for row in self.grab(rect))

    def screenshot(self, path, rect=None):
        """Writes the whole screen, or a rectangle of it, to a PNG file."""
        rect = rect or Rect(0, 0, self.width, self.height)
        write_png(path, rect[2], rect[3], self._rgb_rows(rect))


class WindowHistory:
    """Records, on a connection of its own, where every override-redirect window on the root
    was created, moved, mapped, unmapped and destroyed, with the time it happened. A window
    that slides shows up here step by step, however fast the program moves it."""

    Event = collections.namedtuple("Event", "time kind window x y width height")

    def __init__(self):
        self._display = display.Display()
        root = self._display.screen().root
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self._display.sync()
        self._events = []
        self._lock = threading.Lock()
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, name="window-history", daemon=True)
        self._thread.start()

    def _run(self):
        kinds = {
            X.CreateNotify: "create",
            X.ConfigureNotify: "configure",
            X.MapNotify: "map",
            X.UnmapNotify: "unmap",
            X.DestroyNotify: "destroy",
        }
        fd = self._display.fileno()
        while not self._stop.is_set():
            readable, _, _ = select.select([fd], [], [], 0.05)
            if not readable and not self._display.pending_events():
                continue
            while self._display.pending_events():
                event = self._display.next_event()
                kind = kinds.get(event.type)
                if kind is None:
                    continue
                x = getattr(event, "x", None)
                y = getattr(event, "y", None)
                width = getattr(event, "width", None)
                height = getattr(event, "height", None)
                with self._lock:
                    self._events.append(
                        self.Event(time.monotonic(), kind, event.window.id, x, y, width, height)
                    )

    def events(self, window_id):
        with self._lock:
            return [e for e in self._events if e.window == window_id]

    def mapped(self):
        """Every window mapped on the root since the history began."""
        with self._lock:
            return [e.window for e in self._events if e.kind == "map"]

    def positions(self, window_id):
        """Every position the window had, in order, from its creation on."""
        return [(e.x, e.y) for e in self.events(window_id) if e.kind in ("create", "configure")]

    def close(self):
        self._stop.set()
        self._thread.join(timeout=2)
        self._display.close()


def write_png(path, width, height, rows):
    """A minimal RGB PNG writer, so that failures leave a picture with no extra packages."""

    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body))

    raw = bytearray()
    for row in rows:  # each row: bytes of r, g, b triples
        raw.append(0)
        raw += row
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 6))
    png += chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)
