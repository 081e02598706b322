"""Derives the registration of the 32-bit DLL from the capture of the
64-bit one, so that no 32-bit code has to run to build the packages.

Both DLLs are built from the same sources and registration scripts; what
the 32-bit one writes differs only in where it lands and in its paths:
  - its keys are in the 32-bit view: under Software\\Classes\\Wow6432Node
    and Software\\Wow6432Node of a 64-bit system, except where the prefix
    links a 32-bit key to the shared one (AppID, TypeLib, ...); the links
    are read from the prefix that the 64-bit capture was made in;
  - its module path (and folder) is its own;
  - its type library is registered under "win32" rather than "win64".
Keys that the 64-bit registration already writes into the 32-bit view (the
system's type library registration writes interfaces into both views) are
written again, with the same values. The 32-bit DLL is registered after the
64-bit one, so on a shared key its values are the ones left.

  derive32.py CAPTURE64 BEFORE64 X86PATH_ON_WIN64 X86PATH_ON_WIN32 OUT_WIN64 OUT_WIN32

CAPTURE64 is the 64-bit DLL's capture in a win64 prefix, BEFORE64 that
prefix's snapshot before registration (winreg.py); OUT_WIN64 becomes the
capture of both DLLs in a win64 prefix, OUT_WIN32 that of the 32-bit DLL
in a win32 prefix, in the same form as winreg.py's.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import winreg  # noqa: E402  (the project's reader of Wine registry files)

CLASSES = "hklm\\software\\classes\\"
SOFTWARE = "hklm\\software\\"
VIEW32 = (CLASSES + "wow6432node\\", SOFTWARE + "wow6432node\\")


def links(before):
    """The prefix's registry links, lower-case key -> target key."""
    out = {}
    for key, values in before.items():
        kind, data = values.get("SymbolicLinkValue", (None, None))
        if kind != "hex(6)":
            continue
        target = bytes.fromhex(data).decode("utf-16-le")
        machine = "\\registry\\machine\\"
        if target.lower().startswith(machine):
            out[key.lower()] = "HKLM\\" + target[len(machine):]
    return out


def follow(key, linked):
    """The key that a path names once the prefix's links are followed."""
    changed = True
    while changed:
        changed = False
        low = key.lower()
        for link, target in linked.items():
            if low == link or low.startswith(link + "\\"):
                key, changed = target + key[len(link):], True
                break
    return key


def known_case(*key_sets):
    """Lower-case key path -> its case in the prefix, for every key and
    parent of the sets given (the registry ignores case, a package not)."""
    out = {}
    for keys in key_sets:
        for key in keys:
            parts = key.split("\\")
            for i in range(1, len(parts) + 1):
                out.setdefault("\\".join(parts[:i]).lower(), "\\".join(parts[:i]))
    return out


def cased(key, known):
    """key with each of its leading parts in the case the prefix has."""
    parts = key.split("\\")
    for i in range(len(parts), 0, -1):
        hit = known.get("\\".join(parts[:i]).lower())
        if hit:
            return "\\".join([hit] + parts[i:])
    return key


def in_view32(key):
    return key.lower().startswith(VIEW32)


def to_view32(key, linked):
    """A key of the 64-bit view as a 32-bit program on a 64-bit system
    reaches it."""
    low = key.lower()
    if in_view32(key):
        return key
    if low.startswith(CLASSES):
        key = key[:len(CLASSES)] + "Wow6432Node\\" + key[len(CLASSES):]
    elif low.startswith(SOFTWARE):
        key = key[:len(SOFTWARE)] + "Wow6432Node\\" + key[len(SOFTWARE):]
    return follow(key, linked)


def as_win32_typelib(key):
    """A type library's "win64" platform key names "win32" for a 32-bit one."""
    parts = key.split("\\")
    if len(parts) > 1 and parts[-1].lower() == "win64" and "typelib" in (p.lower() for p in parts):
        parts[-1] = "win32"
    return "\\".join(parts)


def repath(values, old, new):
    """Values with the 64-bit module's folder (and so its path) replaced,
    in any case, by the 32-bit one's."""
    old, new = old[:old.rfind("\\") + 1], new[:new.rfind("\\") + 1]
    out = {}
    for name, (kind, data) in values.items():
        low, pieces, i = data.lower(), [], 0
        j = low.find(old.lower())
        while j >= 0:
            pieces.append(data[i:j] + new)
            i = j + len(old)
            j = low.find(old.lower(), i)
        out[name] = (kind, "".join(pieces) + data[i:])
    return out


def merge(into, key, values):
    """Adds a key's values; a later registration's value replaces one."""
    for k in into:
        if k.lower() == key.lower():
            into[k].update(values)
            return
    into[key] = dict(values)


def derive(cap64, before, path_on64, path_on32):
    """(capture of both DLLs in a win64 prefix, capture of the 32-bit DLL
    in a win32 prefix) from the 64-bit DLL's capture and its prefix."""
    if cap64["prefix_arch"] != "win64" or [m["arch"] for m in cap64["modules"]] != ["x64"]:
        raise SystemExit("derive32: expects the capture of the x64 DLL alone in a win64 prefix")
    path64 = cap64["modules"][0]["path"]
    linked = links(before)
    added = cap64["diff"]["added"]

    case = known_case(added, before)

    def on_win64(key):  # where the 32-bit DLL's key lands beside the 64-bit one's
        return cased(as_win32_typelib(to_view32(key, linked)), case)

    def on_win32(key):  # where it lands on a 32-bit system
        return cased(as_win32_typelib(key), case)

    def distinct(keys):
        return sorted({k.lower(): k for k in keys}.values(), key=str.lower)

    both = {k: dict(v) for k, v in added.items()}
    for key, values in added.items():
        merge(both, on_win64(key), repath(values, path64, path_on64))
    native = {on_win32(k): repath(v, path64, path_on32) for k, v in added.items() if not in_view32(k)}

    kept64 = cap64["kept"]
    kept_both = distinct(kept64 + [on_win64(k) for k in kept64])
    kept32 = distinct(on_win32(k) for k in kept64 if not in_view32(k))
    none = {"removed": {}, "changed": {}}
    win64 = {"prefix_arch": "win64",
             "modules": cap64["modules"] + [{"arch": "x86", "path": path_on64}],
             "diff": dict(none, added=both), "kept": kept_both,
             "roots": winreg.new_roots(before, kept_both, {"added": both})}
    win32 = {"prefix_arch": "win32", "modules": [{"arch": "x86", "path": path_on32}],
             "diff": dict(none, added=native), "kept": kept32,
             "roots": distinct(on_win32(k) for k in cap64["roots"] if not in_view32(k))}
    return win64, win32


if __name__ == "__main__":
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    cap, before, on64, on32, out64, out32 = sys.argv[1:]
    win64, win32 = derive(winreg.load(cap), winreg.load(before), on64, on32)
    winreg.dump(win64, out64)
    winreg.dump(win32, out32)
