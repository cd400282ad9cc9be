#!/usr/bin/env python3
"""Writes the extension in the form one range of GNOME Shell versions loads:
`modules` (45 and later: ES modules) copies the source, `imports` (43 and 44)
turns its import lines into imports.gi and imports.ui lookups and its default export into
the init() the older Shell calls; both name the one binary they serve and
its owner. Usage: make_forms.py SOURCE_DIR FORM OUT_DIR [BINARY OWNER_UID
[--resolve]] (--resolve: BINARY exists here, named by its real path, as the
kernel names it; the test build's copy; without BINARY: an extension that
serves no binary, the tests' own)"""
import os
import pathlib
import re
import sys

VERSIONS = {"modules": ["45", "46", "47", "48", "49", "50"], "imports": ["43", "44"]}
GI_IMPORT = re.compile(r"^import (\w+) from 'gi://(\w+)';$", re.M)
SHELL_IMPORT = re.compile(r"^import \{Extension\} from 'resource:///org/gnome/shell/extensions/extension\.js';\n", re.M)
UI_IMPORT = re.compile(r"^import \* as (\w+) from 'resource:///org/gnome/shell/ui/(\w+)\.js';$", re.M)
EXPORT = re.compile(r"^export default class (\w+) extends Extension \{$", re.M)


def imports_form(text):
    text, gi = GI_IMPORT.subn(r"const \1 = imports.gi.\2;", text)
    text, shell = SHELL_IMPORT.subn("", text)
    text = UI_IMPORT.sub(r"const \1 = imports.ui.\2;", text)
    match = EXPORT.search(text)
    if not gi or shell != 1 or not match:
        sys.exit("make_forms.py: the source's import or export lines changed shape")
    name = match.group(1)
    text = EXPORT.sub(f"class {name} {{", text)
    return text + f"\n// eslint-disable-next-line no-unused-vars\nfunction init() {{\n    return new {name}();\n}}\n"


def main():
    source, form, out = pathlib.Path(sys.argv[1]), sys.argv[2], pathlib.Path(sys.argv[3])
    out.mkdir(parents=True, exist_ok=True)
    text = (source / "extension.js").read_text(encoding="utf-8")
    served = ()
    if len(sys.argv) > 4:
        binary, owner = sys.argv[4], int(sys.argv[5])
        if "--resolve" in sys.argv[6:]:
            binary = os.path.realpath(binary)
        if not os.path.isabs(binary) or "'" in binary or "\\" in binary:
            sys.exit(f"make_forms.py: the binary must be an absolute path without quotes: {binary}")
        served = (("@BRUMELIS_INSTALLED_BINARY@", binary), ("@BRUMELIS_BINARY_OWNER@", str(owner)))
    elif "@BRUMELIS_INSTALLED_BINARY@" in text:
        sys.exit("make_forms.py: the source serves a binary: name it")
    for name, value in served:
        if name not in text:
            sys.exit(f"make_forms.py: {name} is missing from the source")
        text = text.replace(name, value)
    # The Shell loads an extension from a directory named by its uuid.
    text = text.replace("@UUID@", out.name)
    (out / "extension.js").write_text(text if form == "modules" else imports_form(text), encoding="utf-8")
    versions = ", ".join(f'"{v}"' for v in VERSIONS[form])
    metadata = (source / "metadata.json.in").read_text(encoding="utf-8")
    metadata = metadata.replace("@UUID@", out.name)
    (out / "metadata.json").write_text(metadata.replace("@SHELL_VERSIONS@", f"[{versions}]"), encoding="utf-8")


if __name__ == "__main__":
    main()
