"""Reads the registry files of a Wine prefix (system.reg, user.reg) and
compares two readings: the registry snapshots of the package tests and the
registration capture that the package's Registry table is generated from.

A snapshot maps a key path ("HKLM\\Software\\Classes\\CLSID\\{...}") to a
dict of its values, name ("" for the default value) -> (type, data), where
type is the token Wine writes ("sz", "str(2)", "dword", "hex", "hex(7)", ...)
and data is the decoded text or the hex digits.
"""
import json
import os
import re
import sys

ROOTS = {"system.reg": "HKLM", "user.reg": "HKCU"}


def _unescape(text, start):
    """Decodes a Wine-escaped quoted string whose opening quote is at start;
    returns (string, index after the closing quote)."""
    out = []
    i = start + 1
    while i < len(text):
        c = text[i]
        if c == '"':
            return "".join(out), i + 1
        if c != "\\":
            out.append(c)
            i += 1
            continue
        i += 1
        c = text[i]
        simple = {"n": "\n", "r": "\r", "t": "\t", "a": "\a", "b": "\b", "e": "\x1b",
                  "f": "\f", "v": "\v", "\\": "\\", '"': '"', "0": None}
        if c == "x":
            m = re.match(r"[0-9a-fA-F]{1,4}", text[i + 1:])
            out.append(chr(int(m.group(0), 16)))
            i += 1 + len(m.group(0))
        elif c in "01234567":
            m = re.match(r"[0-7]{1,3}", text[i:])
            out.append(chr(int(m.group(0), 8)))
            i += len(m.group(0))
        elif c in simple and simple[c] is not None:
            out.append(simple[c])
            i += 1
        else:
            out.append(c)
            i += 1
    raise ValueError("unterminated string")


def read_file(path, root):
    keys = {}
    current = None
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        lines = f.read().split("\n")
    i = 0
    while i < len(lines):
        line = lines[i]
        # Hex data continues on the next line after a trailing backslash.
        while line.endswith("\\") and not line.startswith("[") and i + 1 < len(lines):
            i += 1
            line = line[:-1] + lines[i].strip()
        i += 1
        if line.startswith("["):
            # Key names: [escaped path] timestamp
            close = line.rfind("]")
            raw = line[1:close]
            name, _ = _unescape('"' + raw.replace('"', '\\"') + '"', 0)
            current = root + "\\" + name
            keys.setdefault(current, {})
            continue
        if current is None or not line or line.startswith(("#", ";")):
            continue
        if line.startswith("@="):
            vname, rest = "", line[2:]
        elif line.startswith('"'):
            vname, end = _unescape(line, 0)
            rest = line[end + 1:]
        else:
            continue
        if rest.startswith('"'):
            keys[current][vname] = ("sz", _unescape(rest, 0)[0])
        elif rest.startswith("str("):
            kind, _, body = rest.partition(":")
            keys[current][vname] = (kind, _unescape(body, 0)[0])
        else:
            kind, _, body = rest.partition(":")
            keys[current][vname] = (kind, body.replace(",", "").lower())
    return keys


def snapshot(prefix):
    keys = {}
    for name, root in ROOTS.items():
        path = os.path.join(prefix, name)
        if os.path.exists(path):
            keys.update(read_file(path, root))
    return keys


def diff(before, after):
    """What changed from before to after: {"added": {key: values},
    "removed": {key: values}, "changed": {key: {name: [old, new]}}} where a
    changed entry's old or new is None for a value added or removed."""
    # Wine's files list a key that holds no value only while it has no
    # subkeys: such a key missing from one reading but a parent of a key
    # in it is still there.
    def parents(keys):
        out = set()
        for k in keys:
            parts = k.lower().split("\\")
            out.update("\\".join(parts[:i]) for i in range(1, len(parts)))
        return out
    in_before, in_after = parents(before), parents(after)
    added = {k: v for k, v in after.items() if k not in before and (v or k.lower() not in in_before)}
    removed = {k: v for k, v in before.items() if k not in after and (v or k.lower() not in in_after)}
    changed = {}
    for k in before.keys() & after.keys():
        b, a = before[k], after[k]
        delta = {n: [b.get(n), a.get(n)] for n in b.keys() | a.keys() if b.get(n) != a.get(n)}
        if delta:
            changed[k] = delta
    return {"added": added, "removed": removed, "changed": changed}


# What Wine changes on its own while programs run in a prefix: at each
# start it enumerates the machine's devices and network cards again and
# rewrites their keys (driver dates, adapters, and device interfaces such
# as input devices that show up a moment after the prefix starts).
# (key prefix, value name or None for every value), compared
# case-insensitively. Registration has no business in the system hive.
WINE_OWN = [
    ("HKLM\\System\\", None),
    ("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards", None),
    # Made anew when a process first asks for it after the prefix's start.
    ("HKLM\\Software\\Microsoft\\Cryptography", "MachineGuid"),
    # Wine's debugger keeps its settings here once it has caught a crash of
    # any process of the prefix (seen with Wine's own msiexec under load).
    ("HKCU\\Software\\Wine\\WineDbg", None),
]


def without(d, rules):
    """The diff d without the entries that rules (as WINE_OWN) name."""
    def matches(key, name):
        return any(key.lower().startswith(p.lower()) and (n is None or n.lower() == (name or "").lower())
                   for p, n in rules)

    out = {"added": {}, "removed": {}, "changed": {}}
    for part in ("added", "removed"):
        for k, values in d[part].items():
            if matches(k, None):
                continue
            out[part][k] = {n: v for n, v in values.items() if not matches(k, n)}
            if values and not out[part][k] and any(matches(k, n) for n in values):
                del out[part][k]
    for k, delta in d["changed"].items():
        kept = {n: v for n, v in delta.items() if not matches(k, n)}
        if kept:
            out["changed"][k] = kept
    return out


# Windows Installer's own records of installed products, which a package
# install adds beside the package's own entries.
INSTALLER_OWN = [
    ("HKLM\\Software\\Classes\\Installer", None),
    ("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer", None),
    ("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", None),
    ("HKCU\\Software\\Microsoft\\Installer", None),
]


def lowered(d):
    """A diff with its key paths in lower case (the registry ignores case)."""
    return {part: {k.lower(): v for k, v in d[part].items()} for part in d}


def differences(got, want):
    """Lines telling how diff got differs from diff want, nothing if equal."""
    got, want = lowered(got), lowered(want)
    lines = []
    for part in ("added", "removed", "changed"):
        for k in sorted(got[part].keys() | want[part].keys()):
            g, w = got[part].get(k), want[part].get(k)
            if g != w:
                lines.append(f"{part} {k}:\n   got  {g}\n   want {w}")
    return lines


def empty_keys_only(d):
    """True when the diff only adds keys that hold no value."""
    return not d["removed"] and not d["changed"] and all(not v for v in d["added"].values())


def new_roots(before, kept, d):
    """The topmost keys that the diff's added keys brought, below those that
    unregistration keeps: what removal must delete whole. Wine's files
    leave out keys that hold no value but subkeys, so a key existed before
    when it or a key below it was listed."""
    existed = set()
    for k in list(before) + list(kept):
        parts = k.lower().split("\\")
        for i in range(1, len(parts) + 1):
            existed.add("\\".join(parts[:i]))
    roots = {}
    for k in d["added"]:
        parts = k.split("\\")
        for i in range(1, len(parts) + 1):
            if "\\".join(parts[:i]).lower() not in existed:
                root = "\\".join(parts[:i])
                roots[root.lower()] = root
                break
    return sorted(roots.values(), key=str.lower)


def dump(obj, path):
    with open(path, "w", encoding="utf-8") as f:
        json.dump(obj, f, indent=1, sort_keys=True, ensure_ascii=True)
        f.write("\n")


def load(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


if __name__ == "__main__":
    # winreg.py snapshot PREFIX OUT.json | diff BEFORE.json AFTER.json OUT.json
    cmd = sys.argv[1]
    if cmd == "snapshot":
        dump(snapshot(sys.argv[2]), sys.argv[3])
    elif cmd == "capture":
        # capture BEFORE AFTER WINEARCH OUT ARCH=WINDOWSPATH...: what the
        # registration of those modules changed, without Wine's own changes.
        # capture BEFORE AFTER UNREGISTERED WINEARCH OUT ARCH=WINDOWSPATH...
        before, after, unregistered, winearch, out = sys.argv[2:7]
        modules = [dict(zip(("arch", "path"), m.split("=", 1))) for m in sys.argv[7:]]
        d = without(diff(load(before), load(after)), WINE_OWN)
        left = without(diff(load(before), load(unregistered)), WINE_OWN)
        if left["removed"] or left["changed"] or any(left["added"].values()):
            sys.exit("unregistration does not undo registration: %s" % json.dumps(left, indent=1))
        kept = sorted(left["added"], key=str.lower)
        dump({"prefix_arch": winearch, "modules": modules, "diff": d,
              "kept": kept, "roots": new_roots(load(before), kept, d)}, out)
    elif cmd == "compare":
        # compare BEFORE AFTER CAPTURE: what happened between two snapshots,
        # apart from Wine's and Windows Installer's own records, must be
        # exactly what the capture's registration wrote.
        got = without(diff(load(sys.argv[2]), load(sys.argv[3])), WINE_OWN + INSTALLER_OWN)
        lines = differences(got, load(sys.argv[4])["diff"])
        print("\n".join(lines) if lines else "equal: %d keys" % len(got["added"]))
        sys.exit(1 if lines else 0)
    elif cmd == "restored":
        # restored BEFORE AFTER CAPTURE: the registry is back to BEFORE, apart
        # from Wine's own changes, keys of Windows Installer's records left
        # empty, the empty keys that unregistration keeps too (the
        # capture's "kept": parents marked as never removed), and empty keys
        # left without subkeys.
        d = without(diff(load(sys.argv[2]), load(sys.argv[3])), WINE_OWN)
        kept = {k.lower() for k in load(sys.argv[4])["kept"]}
        d["added"] = {k: v for k, v in d["added"].items() if v or k.lower() not in kept}
        # Windows Installer deletes a key it removed the last subkey of when
        # that leaves it empty: such a key (with no values, which a fresh
        # 64-bit prefix has in its 32-bit view) is not missed.
        d["removed"] = {k: v for k, v in d["removed"].items() if v}
        own = {p: {k: v for k, v in d[p].items() if any(k.lower().startswith(r.lower()) for r, _ in INSTALLER_OWN)}
               for p in d}
        rest = without(d, INSTALLER_OWN)
        lines = differences(rest, {"added": {}, "removed": {}, "changed": {}})
        if not empty_keys_only(own):
            lines.append("Windows Installer records left: %s" % json.dumps(own, indent=1))
        print("\n".join(lines) if lines else "restored")
        sys.exit(1 if lines else 0)
    elif cmd == "same":
        # same CAPTURE CAPTURE: two captures of the same registration agree,
        # module by module, key by key, value by value, and in what removal
        # deletes (roots) or leaves (kept).
        a, b = load(sys.argv[2]), load(sys.argv[3])
        lines = differences(a["diff"], b["diff"])
        for field in ("prefix_arch", "modules"):
            if a[field] != b[field]:
                lines.append(f"{field}:\n   {a[field]}\n   {b[field]}")
        for field in ("roots", "kept"):
            x, y = {k.lower() for k in a[field]}, {k.lower() for k in b[field]}
            if x != y:
                lines.append(f"{field}: only in the first {sorted(x - y)}, only in the second {sorted(y - x)}")
        print("\n".join(lines) if lines else "same: %d keys" % len(a["diff"]["added"]))
        sys.exit(1 if lines else 0)
    elif cmd == "diff":
        dump(diff(load(sys.argv[2]), load(sys.argv[3])), sys.argv[4])
    else:
        sys.exit("usage: winreg.py snapshot PREFIX OUT | diff BEFORE AFTER OUT")
