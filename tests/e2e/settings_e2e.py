#!/usr/bin/python3
"""End-to-end scenarios of the settings program on a private X server, driven from outside only:
xdotool for the pointer and keys, window look-ups by title, screenshots of the root window and,
for texts, the accessibility bus.

usage: settings_e2e.py PROGRAM SCENARIO SHOTS_DIR
"""
import os
import signal
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x11session import Session, StepFailed  # noqa: E402

MAIN = "Setup"
INSTRUCTIONS = "Instructions for Settings utility"
CARDS = "QRT-216/224/232(X) Cards installed"
PULL = "Pull Down/Up"
HIGH = "High Level"
IMAGE_W, IMAGE_H = 662, 296
PULL_CIRCLES = [(128, 0, 33, 193), (332, 0, 41, 193), (404, 0, 41, 193), (480, 0, 41, 193),
                (552, 0, 41, 193)]
HIGH_CIRCLE = (616, 16, 41, 25)
BOARDS = {"VELWDM_BOARDS": "0C71:E000"}


def check(cond, message):
    if not cond:
        raise StepFailed(message)


# -- the accessibility bus --------------------------------------------------------------------
def a11y_app():
    import pyatspi
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Settings":
            return app
    return None


def a11y_find(root, pred):
    """Every accessible under root for which pred(acc) holds, depth first."""
    found = []
    stack = [root]
    while stack:
        acc = stack.pop()
        try:
            if pred(acc):
                found.append(acc)
            stack.extend(reversed([c for c in acc if c is not None]))
        except Exception:
            continue
    return found


def a11y_window(title):
    app = a11y_app()
    if app is None:
        return None
    for w in app:
        if w is not None and w.name == title:
            return w
    return None


def a11y_texts(s, title, timeout=15):
    """Names of labels and contents of text boxes in the window titled `title`."""
    def read():
        w = a11y_window(title)
        if w is None:
            return None
        out = []
        for acc in a11y_find(w, lambda a: a.getRoleName() in ("label", "text")):
            if acc.getRoleName() == "label":
                out.append(acc.name)
            else:
                out.append(acc.queryText().getText(0, -1))
        return out or None
    return s.poll(read, timeout, f'the texts of "{title}" on the accessibility bus')


def combo_text(title):
    """Text the combo box in the window titled `title` shows: its selected item."""
    import pyatspi
    w = a11y_window(title)
    if w is None:
        return None
    combos = a11y_find(w, lambda a: a.getRoleName() == "combo box")
    if not combos:
        return None
    combo = combos[0]
    if combo.name:
        return combo.name
    for item in a11y_find(combo, lambda a: a.getRoleName() == "list item"):
        if item.getState().contains(pyatspi.STATE_SELECTED):
            return item.name
    return None


def center(ext):
    x, y, w, h = ext
    return x + w // 2, y + h // 2


def extents(acc):
    import pyatspi
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


# -- what the scenarios share -----------------------------------------------------------------
def start(s, program, env=BOARDS, a11y=False):
    s.start_x()
    extra = dict(env)
    if a11y:
        s.start_dbus()
        os.environ["DISPLAY"] = s.env["DISPLAY"]
        extra["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    s.start_program(program, extra)
    main = s.wait_window(MAIN)
    instructions = s.wait_window(INSTRUCTIONS)
    return main, instructions


def client_top(s, main):
    """Screen row where the main window's client area starts, below its menu bar: the first
    white row in the right-hand margin, where neither menu titles nor the header reach."""
    x, y, w, h = s.geometry(main)
    scr = s.snapshot()
    col = x + w - 3
    for row in range(y, y + 80):
        if scr.pixel(col, row) == (255, 255, 255):
            return row
    raise StepFailed("no white client area found below the menu bar")


def image_origin(s, main):
    """Where the centring rule puts the photograph's top-left corner on the screen."""
    x, y, w, h = s.geometry(main)
    fx, fy, fw, fh = s.frame_geometry(main)
    return x + (w - IMAGE_W) // 2, client_top(s, main) + (fh - IMAGE_H) // 2


def close_window(s, title):
    """Close a window as a person would with the keyboard: the window manager's Alt+F4."""
    wid = s.wait_window(title)
    s.xdo("windowactivate", "--sync", wid)
    s.xdo("key", "--clearmodifiers", "alt+F4")
    s.wait_no_window(title)


def region_bytes(s, ox, oy, rects):
    scr = s.snapshot()
    return [scr.region(ox + x, oy + y, w, h) for x, y, w, h in rects]


def differs(a, b):
    return sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])


# -- scenarios --------------------------------------------------------------------------------
def scenario_start(s, program):
    """Maximized main window, photograph placed by the centring rule, header and cards window
    with a board, the instructions window centred on the main window."""
    main, instructions = start(s, program, a11y=True)
    s.poll(lambda: "MAXIMIZED_VERT" in s.wm_state(main) and "MAXIMIZED_HORZ" in s.wm_state(main),
           10, "the main window to be maximized")
    fx, fy, fw, fh = s.frame_geometry(main)
    check((fx, fy, fw, fh) == (0, 0, 1280, 1024),
          f"the maximized main window's frame is {fx},{fy} {fw}x{fh}, not the whole screen")

    texts = a11y_texts(s, MAIN)
    check("QRT-216/224/232(X) Series Settings Program" in texts, f"header texts: {texts}")
    s.wait_window(CARDS)
    cards = a11y_texts(s, CARDS)
    check(any("QRT-224" in t and "Base Address: E000" in t for t in cards),
          f"cards window lists {cards}")

    # The instructions window stays on top over the photograph; moving it aside is what a person
    # does to see the board. Its place is checked first.
    ix, iy, iw, ih = s.frame_geometry(instructions)
    mcx, mcy = fx + fw / 2, fy + fh / 2
    check(abs(ix + iw / 2 - mcx) <= 2 and abs(iy + ih / 2 - mcy) <= 2,
          f"instructions frame {ix},{iy} {iw}x{ih} is not centred on the main window "
          f"(centre {mcx},{mcy})")
    s.screenshot("start-with-instructions")
    close_window(s, INSTRUCTIONS)

    ox, oy = image_origin(s, main)
    s.xdo("mousemove", 1, fh - 2)

    def board_in_place():
        scr = s.snapshot()
        white = (255, 255, 255)
        # Inside: a board is not white; just outside each edge: white client area.
        inside = scr.count(ox + 2, oy + 200, IMAGE_W - 4, 90, lambda p: p != white)
        if inside < (IMAGE_W - 4) * 90 * 0.9:
            return False
        edges = [(ox - 1, oy + 200, 1, 90), (ox + IMAGE_W, oy + 200, 1, 90),
                 (ox + 2, oy - 1, IMAGE_W - 4, 1), (ox + 2, oy + IMAGE_H, IMAGE_W - 4, 1)]
        for e in edges:
            if scr.count(*e, lambda p: p != white) > 0:
                return False
        # ...and the board's own corner rows are reached.
        return scr.count(ox + 2, oy, IMAGE_W - 4, 1, lambda p: p != white) > (IMAGE_W - 4) // 2 \
            and scr.count(ox + 2, oy + IMAGE_H - 1, IMAGE_W - 4, 1,
                          lambda p: p != white) > (IMAGE_W - 4) // 2
    try:
        s.poll(board_in_place, 10, f"the photograph at {ox},{oy}")
    finally:
        s.screenshot("start")


def scenario_start_without_board(s, program):
    main, instructions = start(s, program, env={"VELWDM_BOARDS": ""}, a11y=True)
    texts = s.poll(lambda: (lambda t: t if "No QRT-216/224/232(X) Series Card Found" in t
                            else None)(a11y_texts(s, MAIN)), 15, "the no-card header")
    s.screenshot("start-no-board")
    check(texts is not None, "header")


def scenario_hover(s, program):
    main, instructions = start(s, program)
    close_window(s, INSTRUCTIONS)
    ox, oy = image_origin(s, main)
    rest_spot = (ox + 60, oy + 260)
    s.xdo("mousemove", *rest_spot)
    rects = PULL_CIRCLES
    rest = region_bytes(s, ox, oy, rects)
    s.screenshot("hover-rest")

    x, y, w, h = PULL_CIRCLES[2]
    s.xdo("mousemove", ox + x + w // 2, oy + y + h // 2)
    popup = s.wait_window(PULL)
    try:
        s.poll(lambda: all(differs(a, b) > 20 for a, b in
                           zip(rest, region_bytes(s, ox, oy, rects))), 5,
               "all five pull circles to light")
    finally:
        s.screenshot("hover-lit")
    check(popup is not None, "popup")

    lit = region_bytes(s, ox, oy, rects)
    s.xdo("mousemove", *rest_spot)
    s.wait_no_window(PULL)
    try:
        s.poll(lambda: all(differs(a, b) > 20 for a, b in
                           zip(lit, region_bytes(s, ox, oy, rects))), 5,
               "the pull circles to go dark again")
    finally:
        s.screenshot("hover-left")
    # The rest look after a hover should be the rest look before it.
    after = region_bytes(s, ox, oy, rects)
    changed = [differs(a, b) for a, b in zip(rest, after)]
    check(all(c == 0 for c in changed),
          f"pixels changed against the first rest look, per circle: {changed}")


def scenario_pin(s, program):
    main, instructions = start(s, program, a11y=True)
    close_window(s, INSTRUCTIONS)
    ox, oy = image_origin(s, main)
    x, y, w, h = HIGH_CIRCLE
    s.xdo("mousemove", ox + x + w // 2, oy + y + h // 2)
    s.wait_window(HIGH)
    s.xdo("click", 1)
    s.poll(lambda: combo_text(HIGH), 10, "the High Level combo box on the accessibility bus")
    check(combo_text(HIGH) == "High 5V", f"initial combo text {combo_text(HIGH)!r}")

    def jumper(label):
        """The jumper drawing above a voltage label, found from the label's place."""
        w = a11y_window(HIGH)
        lab = a11y_find(w, lambda a: a.getRoleName() == "label" and a.name == label)[0]
        lx, ly, lw, lh = extents(lab)
        return lx + lw // 2, ly - 18
    steps = [("1.8V", "High 1.8V"), ("3.3V", "High 3.3V"), ("2.5V", "High 2.5V"),
             ("5V", "High 5V")]
    for label, expected in steps:
        s.xdo("mousemove", *jumper(label))
        s.xdo("click", 1)
        s.poll(lambda: combo_text(HIGH) == expected, 5,
               f'the combo to read "{expected}" after a click on the {label} jumper '
               f'(reads {combo_text(HIGH)!r})')
        if label == "3.3V":
            s.screenshot("pin-3v3")

    # Pinned: crossing back over the photograph and off to the margin leaves it open.
    s.xdo("mousemove", ox + 60, oy + 260)
    s.xdo("mousemove", ox + IMAGE_W + 100, oy + IMAGE_H + 100)
    s.screenshot("pin-after-leave")
    for _ in range(10):
        check(s.windows(HIGH), "the pinned High Level window closed when the pointer left")
        time.sleep(0.03)
    s.xdo("mousemove", *jumper("1.8V"))
    s.xdo("click", 1)
    s.poll(lambda: combo_text(HIGH) == "High 1.8V", 5, "the pinned popup to still answer clicks")


def menu_items(title_of_menu):
    w = a11y_window(MAIN)
    bars = a11y_find(w, lambda a: a.getRoleName() == "menu bar") if w is not None else []
    if not bars:
        return None, None
    bar = bars[0]
    for m in bar:
        if m.name == title_of_menu:
            return m, [i.name for i in a11y_find(m, lambda a: a.getRoleName() == "menu item"
                                                 and a is not m)]
    return None, None


def scenario_menus(s, program):
    import pyatspi
    main, instructions = start(s, program, a11y=True)
    s.poll(lambda: menu_items("Settings")[0], 10, 'a "Settings" menu in the menu bar')
    menu, items = menu_items("Settings")
    check(PULL in items and HIGH in items, f"Settings menu lists {items}")
    s.xdo("windowactivate", "--sync", main)
    s.xdo("key", "--clearmodifiers", "alt+s")
    s.poll(lambda: extents(a11y_find(menu, lambda a: a.getRoleName() == "menu item"
                                     and a.name == HIGH)[0])[2] > 0, 5, "the Settings menu open")
    s.screenshot("menu-settings")
    item = a11y_find(menu, lambda a: a.getRoleName() == "menu item" and a.name == HIGH)[0]
    s.xdo("mousemove", *center(extents(item)))
    s.xdo("click", 1)
    s.wait_window(HIGH)
    s.poll(lambda: item.getState().contains(pyatspi.STATE_CHECKED), 5,
           'the "High Level" item to be checked')
    s.screenshot("menu-high-open")
    close_window(s, HIGH)

    # The tour from the instructions window.
    def button(title, name):
        w = s.poll(lambda: a11y_window(title), 10, f'"{title}" on the accessibility bus')
        return s.poll(lambda: (a11y_find(w, lambda a: a.getRoleName() == "push button"
                                         and a.name == name) or [None])[0], 10,
                      f'a "{name}" button in "{title}"')
    s.xdo("key", "--clearmodifiers", "alt+h")
    s.xdo("key", "o")
    s.wait_window(INSTRUCTIONS)
    s.xdo("mousemove", *center(extents(button(INSTRUCTIONS, "Start"))))
    s.xdo("click", 1)
    s.wait_window(PULL)
    s.screenshot("tour-pull")
    nxt = button(PULL, "Next")
    s.xdo("mousemove", *center(extents(nxt)))
    s.xdo("click", 1)
    s.wait_window(HIGH)
    s.wait_no_window(PULL)
    s.screenshot("tour-high")
    done = button(HIGH, "Done")
    s.xdo("mousemove", *center(extents(done)))
    s.xdo("click", 1)
    s.wait_no_window(HIGH)
    s.screenshot("tour-done")


def scenario_exit(s, program):
    main, instructions = start(s, program)
    s.wait_window(CARDS)
    check(s.windows(INSTRUCTIONS) and s.windows(CARDS), "other windows are open")
    s.screenshot("exit-before")
    s.xdo("windowactivate", "--sync", main)
    s.xdo("key", "--clearmodifiers", "alt+f")
    s.xdo("key", "e")
    status = s.poll(lambda: s.program.poll() is not None, 10, "program to end after File > Exit")
    check(status, "ended")
    check(s.program.returncode == 0, f"exit status {s.program.returncode}")


SCENARIOS = {
    "start": scenario_start,
    "start-no-board": scenario_start_without_board,
    "hover": scenario_hover,
    "pin": scenario_pin,
    "menus": scenario_menus,
    "exit": scenario_exit,
}


def main():
    # A timeout's SIGTERM must still run the clean-up that ends Xvfb, openbox and the program.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(2))
    if len(sys.argv) != 4 or sys.argv[2] not in SCENARIOS:
        sys.exit(f"usage: {sys.argv[0]} PROGRAM {{{'|'.join(SCENARIOS)}}} SHOTS_DIR")
    program, name, shots = sys.argv[1:]
    with Session(os.path.join(shots, name)) as s:
        try:
            SCENARIOS[name](s, os.path.abspath(program))
        except StepFailed as e:
            try:
                s.screenshot("failure")
            except Exception:
                pass
            print(f"FAIL {name}: {e}", file=sys.stderr)
            sys.exit(1)
    print(f"PASS {name}")


if __name__ == "__main__":
    main()
