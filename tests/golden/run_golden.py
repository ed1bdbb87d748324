#!/usr/bin/env python3
"""Runs one golden case and compares stdout, stderr, exit status and output files.

A case is <dir>/<name>.qmu or .qmp (run as `quillmark-run [args] FILE`) or <name>.cmd (one
argument per line, the first an executable of the build's app/ folder). Beside it:
<name>.args (extra arguments, one per line), <name>.stdout, <name>.stderr, <name>.status,
<name>.files/ (expected output files). @OUT@ in arguments is a fresh output folder, @CASE@ the
case's folder. Every .dxf written is audited with ezdxf, every .svg rendered with rsvg-convert.
QM_UPDATE_GOLDEN=1 writes the actual results as the new expectations (review them!).
"""
import difflib
import os
import shutil
import subprocess
import sys
import tempfile


def read_lines(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n") for line in f]


def check_dxf(path):
    import ezdxf  # python3-ezdxf

    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    if auditor.has_errors:
        return ["ezdxf audit of %s: %s" % (path, [str(e.message) for e in auditor.errors])]
    return []


def check_svg(path):
    png = path + ".png"  # rsvg-convert wants a regular file to write to
    res = subprocess.run(["rsvg-convert", "-o", png, path], capture_output=True, text=True)
    if os.path.exists(png):
        os.remove(png)
    return [] if res.returncode == 0 else ["rsvg-convert %s: %s" % (path, res.stderr.strip())]


def diff(label, expected, actual):
    if expected == actual:
        return []
    return ["%s differs:" % label] + list(
        difflib.unified_diff(expected, actual, "expected", "actual", lineterm=""))


def main():
    app_dir, case = sys.argv[1], sys.argv[2]
    case_dir = os.path.dirname(os.path.abspath(case))
    base, ext = os.path.splitext(os.path.abspath(case))
    out_dir = tempfile.mkdtemp(prefix="qm-golden-")
    subst = lambda a: a.replace("@OUT@", out_dir).replace("@CASE@", case_dir)
    extra = [subst(a) for a in read_lines(base + ".args") if a != ""]
    if ext == ".cmd":
        words = [subst(a) for a in read_lines(case) if a != ""]
        argv = [os.path.join(app_dir, words[0])] + words[1:] + extra
    else:
        argv = [os.path.join(app_dir, "quillmark-run")] + extra + [os.path.basename(case)]
    env = dict(os.environ, LC_ALL="C.UTF-8")
    res = subprocess.run(argv, capture_output=True, cwd=case_dir, env=env, timeout=300)
    encoding = "cp1251" if "cp1251" in argv else "utf-8"  # --encoding cp1251
    stdout = res.stdout.decode(encoding, "replace").splitlines()
    stderr = res.stderr.decode(encoding, "replace").splitlines()
    # ASan/UBSan reports are never part of an expectation
    problems = [l for l in stderr if "Sanitizer" in l or "runtime error:" in l]
    stderr = [l for l in stderr if l not in problems] if not problems else stderr

    if os.environ.get("QM_UPDATE_GOLDEN") == "1":
        for suffix, lines in ((".stdout", stdout), (".stderr", stderr)):
            if lines or os.path.exists(base + suffix):
                with open(base + suffix, "w", encoding="utf-8") as f:
                    f.write("".join(l + "\n" for l in lines))
        if res.returncode != 0 or os.path.exists(base + ".status"):
            with open(base + ".status", "w") as f:
                f.write("%d\n" % res.returncode)
        if os.listdir(out_dir):
            shutil.rmtree(base + ".files", ignore_errors=True)
            shutil.copytree(out_dir, base + ".files")

    failures = []
    if problems:
        failures.append("sanitizer report:\n" + "\n".join(stderr))
    status_lines = read_lines(base + ".status")
    expected_status = int(status_lines[0]) if status_lines else 0
    if res.returncode != expected_status:
        failures.append("exit status %d, expected %d" % (res.returncode, expected_status))
    failures += diff("stdout", read_lines(base + ".stdout"), stdout)
    failures += diff("stderr", read_lines(base + ".stderr"), stderr)
    expected_dir = base + ".files"
    if os.path.isdir(expected_dir):
        for name in sorted(os.listdir(expected_dir)):
            got = os.path.join(out_dir, name)
            if not os.path.exists(got):
                failures.append("output file %s was not written" % name)
                continue
            with open(os.path.join(expected_dir, name), "rb") as f:
                want_bytes = f.read()
            with open(got, "rb") as f:
                got_bytes = f.read()
            if want_bytes != got_bytes:
                failures += diff("file " + name,
                                 want_bytes.decode("utf-8", "replace").splitlines(),
                                 got_bytes.decode("utf-8", "replace").splitlines())
    for name in sorted(os.listdir(out_dir)):
        path = os.path.join(out_dir, name)
        if name.endswith(".dxf"):
            failures += check_dxf(path)
        elif name.endswith(".svg"):
            failures += check_svg(path)
    shutil.rmtree(out_dir, ignore_errors=True)
    if failures:
        print("\n".join(failures))
        print("command: " + " ".join(argv))
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
