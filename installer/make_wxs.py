"""Writes the wixl source (.wxs) of one Windows Installer package from the
registration capture of the package command: what regsvr32 of the 64-bit
DLL, at its installed path, wrote into a scratch Wine prefix, and what the
32-bit DLL writes, derived from that (derive32.py).

Every registry entry of the package comes from that capture; the installed
module's path becomes "[#file]" and its folder "[FOLDER]" (formatted text
that Windows Installer expands at install time). Nothing is registered by
the DLL itself at install time: no SelfReg, no custom action.

  make_wxs.py --arch x64|x86 --version 2.3.0 --capture capture.json
              --dll32 FILE [--dll64 FILE] --out Vantrel.wxs
writes Vantrel.wxs and Vantrel.wxs.sql (queries for msibuild: what wixl
cannot express, such as the x86 package's refusal of 64-bit Windows).
  make_wxs.py --package-code Vantrel.wxs
"""
import argparse
import hashlib
import json
import os
import re
import subprocess
import sys
import uuid
from xml.sax.saxutils import quoteattr

# Fixed for the product's life: the upgrade code ties every version and both
# architectures together (a newer package replaces an older one, and the
# x64 package replaces the x86 one), and the namespace derives the other
# codes from what a package holds.
UPGRADE_CODE = "{6C3E8F2A-4B1D-4E7A-9C55-2F0B8D1A7E63}"
NAMESPACE = uuid.UUID("0b8f3c52-9e4d-4f1a-8a6e-5d2c7b9e1f40")

MANUFACTURER = "Brackwyn Software"
PRODUCT = "Vantrel Options"
FOLDER = "Vantrel"


def guid(*parts):
    return "{" + str(uuid.uuid5(NAMESPACE, "/".join(parts))).upper() + "}"


def logical(key, prefix_arch):
    """Registry path in a Wine prefix -> (view, root, key) as a package
    names it: view "32" for a key of the 32-bit view of a 64-bit system,
    None for the native or shared view."""
    parts = key.split("\\")
    hive, rest = parts[0], parts[1:]
    if hive != "HKLM":
        raise SystemExit(f"registration wrote outside HKEY_LOCAL_MACHINE: {key}")
    low = [p.lower() for p in rest]
    view = "32" if prefix_arch == "win32" else None
    if low[:3] == ["software", "classes", "wow6432node"]:
        return "32", "HKCR", "\\".join(rest[3:])
    if low[:2] == ["software", "classes"]:
        return view, "HKCR", "\\".join(rest[2:])
    if low[:2] == ["software", "wow6432node"]:
        return "32", "HKLM", "\\".join(["Software"] + rest[2:])
    return view, "HKLM", "\\".join(rest)


def formatted(text):
    """Literal text as Windows Installer formatted text."""
    out = []
    for c in text:
        out.append({"[": "[\\[]", "]": "[\\]]"}.get(c, c))
    text = "".join(out)
    if text.startswith("#"):
        text = "#" + text  # a leading '#' would make it a number
    return text


def queries(arch, version):
    """What wixl cannot express, as queries msibuild runs on its package."""
    if arch != "x86":
        return []
    # On 64-bit Windows the x64 package installs both DLLs; two products
    # owning the 32-bit one would break each other on removal.
    message = (f"This package is for 32-bit Windows. On 64-bit Windows install "
               f"VantrelOptions-{version}-x64.msi, which holds the 32-bit and the 64-bit {PRODUCT}.")
    return ["INSERT INTO LaunchCondition (Condition, Description) "
            f"VALUES ('NOT VersionNT64', '{message}')"]


def package_code(wxs):
    """The package code of the package built from a generated .wxs: from
    all that goes into it (the source and its queries, each file it names,
    the wixl that builds it), so that any change to the package changes the code, and
    the same inputs give the same code (wixl would make a random one)."""
    h = hashlib.sha256()
    with open(wxs, "rb") as f:
        source = f.read()
    h.update(source)
    with open(wxs + ".sql", "rb") as f:
        h.update(f.read())
    folder = os.path.dirname(os.path.abspath(wxs))
    for name in re.findall(rb'Source="([^"]*)"', source):
        with open(os.path.join(folder, name.decode()), "rb") as f:
            h.update(hashlib.sha256(f.read()).digest())
    wixl = subprocess.run(["wixl", "--version"], capture_output=True, text=True, check=True).stdout
    h.update(wixl.strip().encode())
    return guid("package", h.hexdigest())


def main():
    if sys.argv[1:2] == ["--package-code"]:
        print(package_code(sys.argv[2]))
        return
    ap = argparse.ArgumentParser()
    ap.add_argument("--arch", choices=["x64", "x86"], required=True)
    ap.add_argument("--version", required=True)
    ap.add_argument("--capture", required=True)
    ap.add_argument("--dll32", required=True)
    ap.add_argument("--dll64")
    ap.add_argument("--out", required=True)
    a = ap.parse_args()

    with open(a.capture, encoding="utf-8") as f:
        capture = json.load(f)
    d = capture["diff"]
    if d["removed"] or d["changed"]:
        raise SystemExit("registration removed or changed entries it did not create: "
                         + ", ".join(sorted(list(d["removed"]) + list(d["changed"]))))

    # The components: one per DLL, each with the module's path in the prefix.
    comps = {}
    for m in capture["modules"]:
        bits = "64" if m["arch"] == "x64" else "32"
        src = a.dll64 if bits == "64" else a.dll32
        if not src:
            raise SystemExit(f"no file given for the {m['arch']} DLL")
        path = m["path"]
        comps[bits] = {
            "id": f"Vtl{bits}", "file": f"BrackwynVTL{bits}.dll", "dir": f"VTLFOLDER{bits}",
            "path": path, "folder": path[:path.rfind("\\") + 1], "src": src,
            "guid": guid("component", a.arch, bits), "rows": []}
    if a.arch == "x86" and set(comps) != {"32"} or a.arch == "x64" and set(comps) != {"32", "64"}:
        raise SystemExit("the capture does not hold the DLLs this package needs")
    native = "64" if a.arch == "x64" else "32"

    def expand(text):
        """Literal value -> formatted text with the modules' paths as tokens;
        also tells which component's module it names, if any."""
        owner = None
        for bits, c in sorted(comps.items()):
            for literal, token in ((c["path"], f"[#{c['file']}]"), (c["folder"], f"[{c['dir']}]")):
                if literal.lower() in text.lower():
                    owner = bits
        pieces = [text]
        for bits, c in sorted(comps.items()):
            for literal, token in ((c["path"], f"[#{c['file']}]"), (c["folder"], f"[{c['dir']}]")):
                nxt = []
                for p in pieces:
                    if isinstance(p, tuple):
                        nxt.append(p)
                        continue
                    low, lit = p.lower(), literal.lower()
                    while lit in low:
                        i = low.index(lit)
                        nxt.append(p[:i])
                        nxt.append((token,))
                        p, low = p[i + len(literal):], low[i + len(literal):]
                    nxt.append(p)
                pieces = nxt
        return "".join(p[0] if isinstance(p, tuple) else formatted(p) for p in pieces), owner

    # The first key of each new subtree: created on install, and removed with
    # all it holds on removal, as unregistration removes it.
    roots = {k.lower() for k in capture["roots"]}
    for key in capture["roots"]:
        view, root, name = logical(key, capture["prefix_arch"])
        comps[view or native]["rows"].append((root, name, None, None))
    added = d["added"]
    for key in sorted(added, key=str.lower):
        view, root, name = logical(key, capture["prefix_arch"])
        bits = view or native
        for vname, (vtype, data) in sorted(added[key].items()):
            if vtype != "sz":
                raise SystemExit(f"{key}\\{vname}: only string values are expected, not {vtype}")
            if data == "":
                raise SystemExit(f"{key}\\{vname}: an empty string cannot be written by a package")
            value, owner = expand(data)
            comps[owner or bits]["rows"].append((root, name, vname, value))
        if not added[key] and key.lower() not in roots:
            comps[bits]["rows"].append((root, name, "+", None))

    # The product code changes with the version (each version is a major
    # upgrade of the one before); the package code is set by the package
    # command from the finished source (package_code).
    product_code = guid("product", a.arch, a.version)

    out = []
    w = out.append
    w('<?xml version="1.0" encoding="utf-8"?>')
    w("<!-- Generated by installer/make_wxs.py from the registration capture; do not edit. -->")
    w('<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">')
    w(f'  <Product Id="{product_code}" Name="{PRODUCT}" Language="1033" Version="{a.version}"')
    w(f'           Manufacturer="{MANUFACTURER}" UpgradeCode="{UPGRADE_CODE}">')
    w(f'    <Package Id="*" Description="{PRODUCT} {a.version} ({a.arch})"')
    w(f'             Manufacturer="{MANUFACTURER}" InstallerVersion="200" Compressed="yes"')
    w(f'             InstallScope="perMachine" Languages="1033"/>')
    w('    <MajorUpgrade DowngradeErrorMessage="A newer version of [ProductName] is already installed."/>')
    w('    <Media Id="1" Cabinet="vtl.cab" EmbedCab="yes"/>')
    w('    <Property Id="ARPNOMODIFY" Value="1"/>')
    w('    <Directory Id="TARGETDIR" Name="SourceDir">')
    for bits, c in sorted(comps.items(), reverse=True):
        pf = "ProgramFiles64Folder" if bits == "64" else "ProgramFilesFolder"
        w(f'      <Directory Id="{pf}">')
        w(f'        <Directory Id="Brackwyn{bits}" Name="{MANUFACTURER}">')
        w(f'          <Directory Id="{c["dir"]}" Name="{FOLDER}">')
        win64 = "yes" if bits == "64" else "no"
        w(f'            <Component Id="{c["id"]}" Guid="{c["guid"]}" Win64="{win64}">')
        w(f'              <File Id="{c["file"]}" Name="BrackwynVTL.dll" Source={quoteattr(c["src"])} KeyPath="yes"/>')
        for root, name, vname, value in c["rows"]:
            if vname is None:
                # Windows Installer's "*" name: create on install, delete
                # with its subtree on removal (wixl has no RegistryKey Action).
                w(f'              <RegistryValue Root="{root}" Key={quoteattr(name)} Name="*" Type="string" Value=""/>')
            elif vname == "+":
                # "+": create the key (it holds no value) on install.
                w(f'              <RegistryValue Root="{root}" Key={quoteattr(name)} Name="+" Type="string" Value=""/>')
            else:
                attr = f" Name={quoteattr(vname)}" if vname else ""
                w(f'              <RegistryValue Root="{root}" Key={quoteattr(name)}{attr} Type="string" Value={quoteattr(value)}/>')
        w('            </Component>')
        w('          </Directory>')
        w('        </Directory>')
        w('      </Directory>')
    w('    </Directory>')
    w(f'    <Feature Id="Complete" Title="{PRODUCT}" Level="1">')
    for bits, c in sorted(comps.items(), reverse=True):
        w(f'      <ComponentRef Id="{c["id"]}"/>')
    w('    </Feature>')
    w('  </Product>')
    w('</Wix>')
    with open(a.out, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")
    with open(a.out + ".sql", "w", encoding="utf-8") as f:
        f.write("".join(q + "\n" for q in queries(a.arch, a.version)))


if __name__ == "__main__":
    main()
