#!/usr/bin/env python3
"""Start time and memory of the kiosk browser against two other browsers in kiosk mode.

Under one private Xvfb, starts Tovira, surf and Chromium in turn on the same page served from
loopback, RUNS times each, and reports for each browser:

  start  the median time from the exec of the browser to the page's load event, which the page
         reports to the server as performance.timeOrigin + performance.now();
  PSS    the median of the summed proportional set size (/proc/PID/smaps_rollup) of the browser's
         process tree, 3 seconds after the load event;

and Tovira's ratios to the other two. Every run starts with fresh home, cache and profile folders.

Usage: start_bench.py [--tovira PATH] [--runs N]
  PATH defaults to build/kiosk/Tovira (what ./run.sh installs); the program is copied into a
  temporary folder with a settings file that makes the page its home page.

surf and chromium are installed with apt-get when missing (as root), so that the test command does
not need them.
"""
import argparse
import http.server
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SETTLE_SECONDS = 3.0
LOAD_TIMEOUT = 60.0

PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>start bench</title>
<style>body { font: 20px sans-serif; margin: 40px; } li { margin: 6px 0; }</style></head>
<body><h1>启动测试</h1><p>A page of ordinary weight: text, a list, a little script.</p><ol id="l"></ol>
<script>
for (var i = 1; i <= 100; i++) { var li = document.createElement("li"); li.textContent = "项目 " + i; document.getElementById("l").appendChild(li); }
window.addEventListener("load", function () {
  var at = performance.timeOrigin + performance.now();
  fetch("/loaded?run=" + encodeURIComponent(location.search.slice(1)) + "&at=" + at, { cache: "no-store" });
});
</script></body></html>
"""


class Server:
    """The page, and the load reports: run id -> epoch milliseconds of the load event."""

    def __init__(self):
        self.loads = {}
        self.cond = threading.Condition()
        outer = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                url = urllib.parse.urlparse(self.path)
                if url.path == "/loaded":
                    q = urllib.parse.parse_qs(url.query)
                    with outer.cond:
                        outer.loads[q["run"][0]] = float(q["at"][0])
                        outer.cond.notify_all()
                    self.send_response(204)
                    self.end_headers()
                    return
                body = PAGE.encode()
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(body)))
                self.send_header("Cache-Control", "no-store")
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def url(self, run):
        return "http://127.0.0.1:%d/page.html?%s" % (self.port, run)

    def wait_load(self, run, timeout):
        deadline = time.time() + timeout
        with self.cond:
            while run not in self.loads:
                left = deadline - time.time()
                if left <= 0:
                    return None
                self.cond.wait(left)
            return self.loads[run]


def ensure_packages():
    missing = [p for p, exe in (("surf", "surf"), ("chromium", "chromium")) if not shutil.which(exe)]
    if not missing:
        return
    if os.geteuid() != 0:
        sys.exit("start_bench: please install %s (apt-get needs root)" % " ".join(missing))
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    subprocess.run(["apt-get", "update", "-q"], check=True, env=env)
    subprocess.run(["apt-get", "install", "-y", "-q", "--no-install-recommends"] + missing, check=True, env=env)


def start_xvfb():
    r, w = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
                             "-noreset"], pass_fds=(w,), stderr=subprocess.DEVNULL)
    os.close(w)
    with os.fdopen(r) as f:
        number = f.readline().strip()
    if not number:
        sys.exit("start_bench: Xvfb did not start")
    return xvfb, ":" + number


def process_tree(pid):
    """pid and all its descendants that still exist."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                stat = f.read()
            ppid = int(stat[stat.rindex(")") + 2:].split()[1])
        except (OSError, ValueError):
            continue
        children.setdefault(ppid, []).append(int(entry))
    tree, todo = [], [pid]
    while todo:
        p = todo.pop()
        tree.append(p)
        todo.extend(children.get(p, []))
    return tree


def pss_kib(pids):
    total = 0
    for p in pids:
        try:
            with open("/proc/%d/smaps_rollup" % p) as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
                        break
        except OSError:
            pass
    return total


def stop_tree(proc):
    pids = process_tree(proc.pid)
    for p in reversed(pids):
        try:
            os.kill(p, signal.SIGKILL)
        except ProcessLookupError:
            pass
    proc.wait()
    # The browser's helpers are reparented when it dies; wait until none is left.
    deadline = time.time() + 10
    while time.time() < deadline and any(os.path.exists("/proc/%d" % p) for p in pids[1:]):
        time.sleep(0.05)


class Browser:
    def __init__(self, name):
        self.name = name
        self.starts = []
        self.pss = []

    def command(self, url, scratch):
        raise NotImplementedError


class Tovira(Browser):
    def __init__(self, program):
        super().__init__("Tovira")
        self.program = program

    def command(self, url, scratch):
        folder = os.path.join(scratch, "kiosk")
        os.makedirs(folder)
        shutil.copy2(self.program, os.path.join(folder, "Tovira"))
        with open(os.path.join(folder, "Tovira.dat"), "wb") as f:
            f.write(("[Common]\r\nHomepage=%s\r\n" % url).encode())
        return [os.path.join(folder, "Tovira")]


class Surf(Browser):
    def __init__(self):
        super().__init__("surf")

    def command(self, url, scratch):
        return ["surf", "-F", "-K", url]


class Chromium(Browser):
    def __init__(self):
        super().__init__("Chromium")

    def command(self, url, scratch):
        return ["chromium", "--kiosk", "--no-sandbox", "--disable-gpu", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--user-data-dir=" + os.path.join(scratch, "profile"), url]


def one_run(browser, server, display, run_id):
    scratch = tempfile.mkdtemp(prefix="start-bench-")
    try:
        for sub in ("home", "config", "cache", "data", "runtime"):
            os.makedirs(os.path.join(scratch, sub))
        os.chmod(os.path.join(scratch, "runtime"), 0o700)
        env = dict(os.environ)
        env.update(DISPLAY=display, HOME=os.path.join(scratch, "home"),
                   XDG_CONFIG_HOME=os.path.join(scratch, "config"), XDG_CACHE_HOME=os.path.join(scratch, "cache"),
                   XDG_DATA_HOME=os.path.join(scratch, "data"), XDG_RUNTIME_DIR=os.path.join(scratch, "runtime"),
                   DBUS_SESSION_BUS_ADDRESS="unix:path=" + os.path.join(scratch, "no-bus"), NO_AT_BRIDGE="1",
                   GDK_BACKEND="x11")
        env.pop("WAYLAND_DISPLAY", None)
        cmd = browser.command(server.url(run_id), scratch)
        t0 = time.time() * 1000.0
        proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                start_new_session=True)
        try:
            loaded = server.wait_load(run_id, LOAD_TIMEOUT)
            if loaded is None:
                raise RuntimeError("%s did not load the page within %d s" % (browser.name, LOAD_TIMEOUT))
            time.sleep(SETTLE_SECONDS)
            pss = pss_kib(process_tree(proc.pid))
        finally:
            stop_tree(proc)
        return loaded - t0, pss
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tovira", default=os.path.join(REPO, "build", "kiosk", "Tovira"))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    if args.runs < 5:
        sys.exit("start_bench: at least 5 runs of each browser")
    if not os.access(args.tovira, os.X_OK):
        sys.exit("start_bench: no Tovira at %s (run ./run.sh, or give --tovira)" % args.tovira)
    ensure_packages()

    server = Server()
    xvfb, display = start_xvfb()
    browsers = [Tovira(args.tovira), Surf(), Chromium()]
    try:
        # One warm-up start of each, so that the first measured run does not pay for a cold disk.
        for b in browsers:
            one_run(b, server, display, "warmup-" + b.name)
        for i in range(args.runs):
            for b in browsers:
                start, pss = one_run(b, server, display, "%s-%d" % (b.name, i))
                b.starts.append(start)
                b.pss.append(pss)
                print("%-9s run %d: start %7.1f ms  PSS %8.1f MiB" % (b.name, i + 1, start, pss / 1024.0),
                      flush=True)
    finally:
        xvfb.terminate()
        xvfb.wait()

    print()
    print("%-9s %14s %14s" % ("browser", "start (median)", "PSS (median)"))
    med = {}
    for b in browsers:
        med[b.name] = (statistics.median(b.starts), statistics.median(b.pss) / 1024.0)
        print("%-9s %11.1f ms %10.1f MiB" % (b.name, med[b.name][0], med[b.name][1]))
    t, s, c = med["Tovira"], med["surf"], med["Chromium"]
    print()
    goals = [
        ("start Tovira / surf", t[0] / s[0], 1.0),
        ("start Tovira / Chromium", t[0] / c[0], 0.6),
        ("PSS   Tovira / surf", t[1] / s[1], 0.75),
        ("PSS   Tovira / Chromium", t[1] / c[1], 0.55),
    ]
    for name, ratio, goal in goals:
        print("%-24s %5.2f  (goal at most %.2f: %s)" % (name, ratio, goal, "met" if ratio <= goal else "MISSED"))


if __name__ == "__main__":
    main()
