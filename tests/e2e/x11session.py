"""A private X session for driving the settings program from outside: Xvfb on a free display,
openbox, an optional session bus for the accessibility read, and helpers that poll for what a
person would see (windows by title, pixels) instead of sleeping."""
import os
import re
import subprocess
import tempfile
import time

WIDTH, HEIGHT = 1280, 1024


class StepFailed(Exception):
    pass


def free_display():
    for n in range(90, 200):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return n
    raise StepFailed("no free X display number")


class Session:
    def __init__(self, shots_dir, env_extra=None):
        self.shots_dir = shots_dir
        os.makedirs(shots_dir, exist_ok=True)
        self.procs = []
        self.program = None
        self.env = dict(os.environ)
        self.env.update(env_extra or {})
        self.tmp = tempfile.mkdtemp(prefix="e2e-")

    # -- life cycle ---------------------------------------------------------------------------
    def start_x(self):
        for _ in range(5):
            n = free_display()
            self.env["DISPLAY"] = f":{n}"
            xvfb = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", f"{WIDTH}x{HEIGHT}x24",
                                     "-nolisten", "tcp"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.procs.append(xvfb)
            if self.poll(lambda: xvfb.poll() is not None or self.run_ok(["xdpyinfo"]), 10, "Xvfb"):
                if xvfb.poll() is None:
                    break
            self.procs.remove(xvfb)
        else:
            raise StepFailed("Xvfb did not start")
        for attempt in range(3):
            wm = subprocess.Popen(["openbox", "--replace"], env=self.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.procs.append(wm)
            # openbox sets _NET_SUPPORTING_WM_CHECK on the root once it manages the screen.
            try:
                self.poll(lambda: b"window id" in self.out(["xprop", "-root",
                                                           "_NET_SUPPORTING_WM_CHECK"]),
                          5, "openbox to manage the screen")
                return
            except StepFailed:
                if attempt == 2:
                    raise

    def start_dbus(self):
        out = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1",
                              "--print-pid=1"], capture_output=True, text=True, check=True,
                             env=self.env).stdout.split()
        self.env["DBUS_SESSION_BUS_ADDRESS"] = out[0]
        self.dbus_pid = int(out[1])
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = out[0]

    def start_program(self, path, env_extra=None):
        env = dict(self.env)
        env["QT_QPA_PLATFORM"] = "xcb"
        env.update(env_extra or {})
        self.program = subprocess.Popen([path], env=env, cwd=self.tmp)
        self.procs.append(self.program)
        return self.program

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        if getattr(self, "dbus_pid", None):
            try:
                os.kill(self.dbus_pid, 15)
            except ProcessLookupError:
                pass

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # -- running tools ------------------------------------------------------------------------
    def out(self, cmd):
        return subprocess.run(cmd, env=self.env, capture_output=True).stdout

    def run_ok(self, cmd):
        return subprocess.run(cmd, env=self.env, capture_output=True).returncode == 0

    def xdo(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True,
                       capture_output=True)

    def poll(self, cond, timeout, what):
        end = time.monotonic() + timeout
        while True:
            if self.program is not None and self.program.poll() is not None and \
                    not what.startswith("program"):
                raise StepFailed(f"the program ended (status {self.program.returncode}) "
                                 f"while waiting for {what}")
            v = cond()
            if v:
                return v
            if time.monotonic() > end:
                raise StepFailed(f"timed out waiting for {what}")
            time.sleep(0.03)

    # -- windows ------------------------------------------------------------------------------
    def windows(self, title):
        """Visible windows whose title is exactly `title`."""
        out = self.out(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$"])
        return [int(w) for w in out.split()]

    def wait_window(self, title, timeout=15):
        return self.poll(lambda: (self.windows(title) or [None])[0], timeout,
                         f'a window titled "{title}"')

    def wait_no_window(self, title, timeout=10):
        self.poll(lambda: not self.windows(title), timeout, f'"{title}" to close')

    def geometry(self, wid):
        """Client-area geometry on the screen: (x, y, w, h). xwininfo's absolute corner is right
        for reparented windows, where xdotool's is shifted by the frame."""
        info = self.out(["xwininfo", "-id", str(wid)]).decode()
        get = lambda key: int(re.search(key + r":\s+(-?\d+)", info).group(1))
        return (get("Absolute upper-left X"), get("Absolute upper-left Y"), get("Width"),
                get("Height"))

    def frame_geometry(self, wid):
        """Outer box (frame included) from _NET_FRAME_EXTENTS: (x, y, w, h)."""
        x, y, w, h = self.geometry(wid)
        ext = self.out(["xprop", "-id", str(wid), "_NET_FRAME_EXTENTS"]).decode()
        l = r = t = b = 0
        if "=" in ext:
            l, r, t, b = [int(s) for s in ext.split("=")[1].split(",")]
        return x - l, y - t, w + l + r, h + t + b

    def wm_state(self, wid):
        return self.out(["xprop", "-id", str(wid), "_NET_WM_STATE"]).decode()

    # -- pixels -------------------------------------------------------------------------------
    def screenshot(self, name=None):
        path = os.path.join(self.shots_dir if name else self.tmp, (name or "now") + ".png")
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True,
                       capture_output=True)
        return path

    def snapshot(self):
        """The whole screen as an RGB byte string (one read, many pixel looks)."""
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                              env=self.env, check=True, capture_output=True).stdout
        return Screen(data)


class Screen:
    def __init__(self, data):
        self.data = data

    def pixel(self, x, y):
        i = (y * WIDTH + x) * 3
        return tuple(self.data[i:i + 3])

    def region(self, x, y, w, h):
        return b"".join(self.data[((y + r) * WIDTH + x) * 3:((y + r) * WIDTH + x + w) * 3]
                        for r in range(h))

    def count(self, x, y, w, h, pred):
        return sum(1 for r in range(h) for c in range(w) if pred(self.pixel(x + c, y + r)))
