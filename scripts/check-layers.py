#!/usr/bin/env python3
"""Fails on an #include that points the wrong way between the layers, and
names it. The build enforces the same direction (cmake/layers.cmake); this
check says it in one line per include, and also covers system headers that
only some layers may use. docs/design.md has the picture."""
import pathlib
import re
import sys

REPO = pathlib.Path(__file__).resolve().parent.parent

# Each layer's folder and the folders whose headers its files may include.
# A file belongs to the layer of the longest folder that contains it.
LAYERS = {
    "base": {"base"},
    "platform": {"base", "platform"},
    "utilities": {"base", "platform", "utilities"},
    "registry": {"base", "platform", "registry"},
    "toolbar": {"base", "platform", "utilities", "toolbar", "resources"},
    "resources": {"resources"},
    "platform/fake": {"base", "platform", "platform/fake"},
    "platform/win32": {"base", "platform", "platform/win32", "resources"},
    "platform/x11": {"base", "platform", "platform/x11"},
    # GTK runs on X11 here: the toolkit borrows the X11 backend's UTF-8 texts.
    "platform/gtk": {"base", "platform", "platform/gtk", "platform/x11"},
    "platform/sway": {"base", "platform", "platform/sway"},
    # The session bus: only the rows that speak D-Bus reach it.
    "platform/dbus": {"base", "platform", "platform/dbus"},
    "platform/kwin": {"base", "platform", "platform/dbus", "platform/kwin"},
    "platform/gnome": {"base", "platform", "platform/dbus", "platform/gnome"},
    "program": {"base", "platform", "platform/win32", "platform/x11", "platform/gtk",
                "platform/sway", "platform/kwin", "platform/gnome", "toolbar", "resources",
                "program"},
    # The Wayland rows (every desktop row but X11's) and their shared start
    # reach no X11 backend: the start lock lives in platform/.
    **{f"program/{row.name}": {"base", "platform", "platform/gtk", "platform/sway",
                               "platform/kwin", "platform/gnome", "toolbar", "resources",
                               "program"}
       for row in [*REPO.glob("program/*_desktop.cpp"), REPO / "program/wayland_start.cpp"]
       if row.name != "x11_desktop.cpp"},
    # Tests and benchmarks sit above everything.
    "tests": None,
    "bench": None,
    "bench/win32": None,
}

# System headers that tie a file to one platform, and the layers that may
# include them.
SYSTEM_HEADERS = [
    (re.compile(r"(windows|windowsx|commctrl|shellapi|ole2|olectl|objbase|dwmapi)\.h"),
     "Windows", {"platform/win32", "program", "tests", "bench/win32"}),
    (re.compile(r"X11/.*"), "X11",
     {"platform/x11", "platform/gtk", "program", "tests", "bench"}),
    (re.compile(r"(gtk|gdk|glib|gio)/.*|glib(-object)?\.h"), "GTK",
     {"platform/gtk", "platform/sway", "platform/dbus", "platform/kwin", "platform/gnome",
      "program", "tests", "bench"}),
]

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    best = None
    for folder in LAYERS:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def main():
    problems = []
    files = sorted(p for p in REPO.rglob("*")
                   if p.suffix in (".h", ".cpp") and "build" not in p.relative_to(REPO).parts[:1]
                   and not p.relative_to(REPO).parts[0].startswith("."))
    for path in files:
        relative = path.relative_to(REPO).as_posix()
        layer = layer_of(relative)
        if layer is None:
            problems.append(f"{relative}: in no layer; add its folder to scripts/check-layers.py")
            continue
        allowed = LAYERS[layer]
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            quote, header = match.groups()
            where = f"{relative}:{number}: includes {quote}{header}{'>' if quote == '<' else quote}"
            if quote == "<":
                # A file with rules of its own takes its folder's system headers.
                folder = layer.rsplit("/", 1)[0] if layer.endswith(".cpp") else layer
                for pattern, name, layers in SYSTEM_HEADERS:
                    if pattern.fullmatch(header) and folder not in layers:
                        problems.append(f"{where}; only {', '.join(sorted(layers))} may use "
                                        f"{name} headers")
                continue
            target = layer_of(header)
            if allowed is None:
                continue
            if target is None or target not in allowed:
                problems.append(f"{where}; {layer} may include only "
                                f"{', '.join(sorted(allowed))}")
    for problem in problems:
        print(problem)
    if problems:
        print(f"layers: {len(problems)} wrong-way include(s)")
        return 1
    print(f"layers: {len(files)} files, every include points the right way")
    return 0


if __name__ == "__main__":
    sys.exit(main())
