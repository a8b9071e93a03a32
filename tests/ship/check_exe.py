#!/usr/bin/env python3
"""Checks a built Velkaro.exe as it would be shipped: the processor it is for, a GUI
program for XP and later, only DLLs that come with Windows, and its icon and manifest."""
import re
import subprocess
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll", "ole32.dll",
               "shell32.dll", "advapi32.dll", "msvcrt.dll"}


def main(objdump, exe, arch, icon_image):
    failures = []
    headers = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, check=True).stdout
    fmt = "pei-i386" if arch == "i686" else "pei-x86-64"
    if f"file format {fmt}" not in headers:
        failures.append(f"not a {fmt} image")
    if not re.search(r"^Subsystem\s+00000002", headers, re.M):
        failures.append("not a Windows GUI program")
    major = re.search(r"^MajorSubsystemVersion\s+(\d+)", headers, re.M)
    minor = re.search(r"^MinorSubsystemVersion\s+(\d+)", headers, re.M)
    # XP is 5.1; its 64-bit edition is 5.2.
    newest = (5, 1) if arch == "i686" else (5, 2)
    if not major or (int(major.group(1)), int(minor.group(1))) > newest:
        failures.append("needs a Windows newer than XP")
    dlls = {d.lower() for d in re.findall(r"DLL Name: (\S+)", headers)}
    if not dlls:
        failures.append("no imports found")
    foreign = sorted(dlls - SYSTEM_DLLS)
    if foreign:
        failures.append("needs DLLs beyond Windows' own: " + ", ".join(foreign))

    data = open(exe, "rb").read()
    want_arch = b'processorArchitecture="x86"' if arch == "i686" else b'processorArchitecture="amd64"'
    if b"Microsoft.Windows.Common-Controls" not in data or b'version="6.0.0.0"' not in data or want_arch not in data:
        failures.append("manifest for common controls 6.0.0.0 missing or for another processor")
    if open(icon_image, "rb").read() not in data:
        failures.append("the 32 x 32 icon image is not in the executable")

    print(f"{exe}: {fmt}, imports {', '.join(sorted(dlls))}")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
