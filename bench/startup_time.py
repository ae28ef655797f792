#!/usr/bin/env python3
"""Start-up time of the real program: from exec to the main window shown.

Starts the binary RUNS times (offscreen platform, a fresh home each time)
with --exit-when-shown, which prints the moment the window was shown, how
many network requests start-up sent and how many browser views exist, then
exits. Reports the median, min and max of exec-to-shown and of the whole
run (exec to exit), and fails when a run sent a request or made a browser
view.

    bench/startup_time.py [--binary build/juyuanxia] [--runs 20] [--mode demo|nowhere]

--mode demo: the built-in demo sites on 127.0.0.1 (the version check is
armed but must not fire before the exit); --mode nowhere: a sites file whose
every address is unconfigured, so nothing can be contacted.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", default=os.path.join(os.path.dirname(__file__), "..", "build", "juyuanxia"))
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--mode", choices=["demo", "nowhere"], default="demo")
    args = parser.parse_args()

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    shown, whole = [], []
    with tempfile.TemporaryDirectory() as tmp:
        sites = os.path.join(tmp, "sites.ini")
        with open(sites, "w", encoding="utf-8") as f:
            f.write("[sites]\n")
        for run in range(args.runs):
            home = os.path.join(tmp, "home%d" % run)
            os.mkdir(home)
            command = [args.binary, "--exit-when-shown", "--home", home]
            command += ["--demo"] if args.mode == "demo" else ["--sites", sites]
            start = time.time()
            result = subprocess.run(command, env=env, capture_output=True, text=True, timeout=60)
            end = time.time()
            fields = {}
            for line in result.stdout.splitlines():
                if line.startswith("shown_at_epoch_ms="):
                    fields = dict(item.split("=", 1) for item in line.split())
            if result.returncode != 0 or not fields:
                sys.exit("run %d failed (exit %d): %s" % (run, result.returncode, result.stderr[-2000:]))
            if fields["requests"] != "0" or fields["browser_views"] != "0":
                sys.exit("run %d touched the network or the browser engine: %s" % (run, fields))
            shown.append(int(fields["shown_at_epoch_ms"]) / 1000.0 - start)
            whole.append(end - start)

    def line(name, values):
        return "%-14s median %.3f s  min %.3f s  max %.3f s" % (
            name, statistics.median(values), min(values), max(values))

    print("mode %s, %d runs, requests 0, browser views 0 in every run" % (args.mode, args.runs))
    print(line("exec->shown", shown))
    print(line("exec->exit", whole))


if __name__ == "__main__":
    main()
