#!/usr/bin/env python3
"""Times quillmark-run against CPython on the same programs: median wall time of 5 runs taken
alternately, the ratio, and the peak memory of each run (maximum resident set size)."""
import os
import resource
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
WORKLOADS = [("loop", 3), ("fib", 10), ("strings", 3), ("arrays", 3)]  # name, target ratio


def timed(argv):
    start = time.perf_counter()
    proc = subprocess.Popen(argv, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    out, err = proc.communicate()
    elapsed = time.perf_counter() - start
    if proc.returncode != 0:
        sys.exit("%s failed: %s" % (" ".join(argv), err.decode()))
    return elapsed, out.decode().strip()


def peak_mb(argv):
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.execvp(argv[0], argv)
    _, _, usage = os.wait4(pid, 0)
    return usage.ru_maxrss / 1024.0


def main():
    runner = sys.argv[1]
    print("%-8s %10s %10s %7s %7s %9s %9s" % ("workload", "quillmark", "python3", "ratio",
                                             "target", "qm MB", "py MB"))
    failed = False
    for name, target in WORKLOADS:
        qm = [runner, os.path.join(HERE, name + ".qmu")]
        py = ["python3", os.path.join(HERE, name + ".py")]
        qt, pt = [], []
        for _ in range(5):
            t, qout = timed(qm)
            qt.append(t)
            t, pout = timed(py)
            pt.append(t)
        q, p = statistics.median(qt), statistics.median(pt)
        ratio = q / p
        failed |= ratio > target
        print("%-8s %9.3fs %9.3fs %7.2f %7d %9.1f %9.1f   (%s / %s)" % (
            name, q, p, ratio, target, peak_mb(qm), peak_mb(py), qout, pout))
    return 1 if failed and os.environ.get("QM_BENCH_STRICT") == "1" else 0


if __name__ == "__main__":
    sys.exit(main())
