"""Tests of the package generator that need no Wine: the 32-bit DLL's
registration derived from the 64-bit DLL's capture, and the package code
taken from the whole package source. Run: python3 derive32_test.py"""
import copy
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
INSTALLER = os.path.join(HERE, "..", "..", "installer")
sys.path.insert(0, INSTALLER)
import derive32  # noqa: E402

CLSID = "{5047AFF9-3D24-478B-BB2D-7E59A093BFFD}"
LIB = "{BFB07BA7-3585-43CC-BF16-30B07CC216E6}"
IID = "{B5C58336-EFF3-4B76-830B-AC6B011403DF}"
PF64 = "C:\\Program Files\\Brackwyn Software\\Vantrel\\BrackwynVTL.dll"
PF32ON64 = "C:\\Program Files (x86)\\Brackwyn Software\\Vantrel\\BrackwynVTL.dll"
PF32 = PF64
C = "HKLM\\Software\\Classes\\"
W = C + "Wow6432Node\\"
IE = "Microsoft\\Internet Explorer\\Extensions"


def link(target):
    """A registry link value as Wine's registry file holds it."""
    return {"SymbolicLinkValue": ("hex(6)", ("\\Registry\\Machine\\" + target).encode("utf-16-le").hex())}


def sz(text):
    return ("sz", text)


# A win64 prefix before registration: the 32-bit view's shared keys are
# links (as Wine makes them), and the parents of what registration adds.
BEFORE = {
    W + "AppId": link("Software\\Classes\\AppId"),
    W + "TypeLib": link("Software\\Classes\\TypeLib"),
    "HKLM\\Software\\Wow6432Node\\Classes": link("Software\\Classes\\Wow6432Node"),
    C + "AppID\\{00000000-0000-0000-0000-00000000000A}": {},
    C + "CLSID\\{00000000-0000-0000-0000-00000000000B}": {},
    W + "CLSID\\{00000000-0000-0000-0000-00000000000C}": {},
    C + "Typelib\\{00020430-0000-0000-C000-000000000046}": {},
    C + "Interface\\{00000000-0000-0000-0000-00000000000D}": {},
    W + "Interface\\{00000000-0000-0000-0000-00000000000E}": {},
    "HKLM\\Software\\Microsoft\\Internet Explorer": {},
    "HKLM\\Software\\Wow6432Node\\Microsoft\\Internet Explorer": {},
}

# What regsvr32 of the 64-bit DLL writes (the shape of the real capture).
ADDED = {
    C + "AppID\\{9F4A7C9F-DA72-498B-9E30-623981E8E580}": {"": sz("BrackwynVTL")},
    C + "BrackwynVTL.Options\\CLSID": {"": sz(CLSID)},
    C + "CLSID\\" + CLSID: {"": sz("Options Class")},
    C + "CLSID\\" + CLSID + "\\InprocServer32": {"": sz(PF64), "ThreadingModel": sz("Apartment")},
    C + "CLSID\\" + CLSID + "\\Programmable": {},
    C + "Typelib\\" + LIB + "\\1.0": {"": sz("BrackwynVTL 1.0 Type Library")},
    C + "Typelib\\" + LIB + "\\1.0\\409\\win64": {"": sz(PF64)},
    C + "Typelib\\" + LIB + "\\1.0\\HELPDIR": {"": sz(PF64[:PF64.rfind("\\") + 1])},
    C + "Interface\\" + IID + "\\TypeLib": {"": sz(LIB), "Version": sz("1.0")},
    W + "Interface\\" + IID + "\\TypeLib": {"": sz(LIB), "Version": sz("1.0")},
    "HKLM\\Software\\" + IE + "\\" + CLSID: {"Icon": sz(PF64.upper() + ",227"), "ButtonText": sz("VTL options")},
}
CAPTURE = {
    "prefix_arch": "win64", "modules": [{"arch": "x64", "path": PF64}],
    "diff": {"added": ADDED, "removed": {}, "changed": {}},
    "kept": ["HKLM\\Software\\" + IE],
    "roots": [],  # not read by the derivation
}


def lowered(keys):
    return {k.lower(): v for k, v in keys.items()}


class Derivation(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.win64, cls.win32 = derive32.derive(copy.deepcopy(CAPTURE), BEFORE, PF32ON64, PF32)
        cls.both = lowered(cls.win64["diff"]["added"])
        cls.alone = lowered(cls.win32["diff"]["added"])

    def test_keys_and_values(self):
        # (capture, key, value name, expected data; None: no such key)
        cases = [
            # 64-bit rows stay as captured.
            ("win64", C + "CLSID\\" + CLSID + "\\InprocServer32", "", PF64),
            # Classes keys go to the 32-bit view, with the 32-bit path.
            ("win64", W + "CLSID\\" + CLSID + "\\InprocServer32", "", PF32ON64),
            ("win64", W + "CLSID\\" + CLSID + "\\InprocServer32", "ThreadingModel", "Apartment"),
            ("win64", W + "BrackwynVTL.Options\\CLSID", "", CLSID),
            ("win64", W + "CLSID\\" + CLSID + "\\Programmable", None, {}),
            # Shared keys (linked in the prefix) are not redirected.
            ("win64", W + "AppID\\{9F4A7C9F-DA72-498B-9E30-623981E8E580}", None, None),
            ("win64", C + "Typelib\\" + LIB + "\\1.0\\409\\win32", "", PF32ON64),
            ("win64", C + "Typelib\\" + LIB + "\\1.0\\409\\win64", "", PF64),
            # The 32-bit DLL registers last: its help folder stays.
            ("win64", C + "Typelib\\" + LIB + "\\1.0\\HELPDIR", "", PF32ON64[:PF32ON64.rfind("\\") + 1]),
            # Keys the 64-bit registration wrote into the 32-bit view are not doubled.
            ("win64", W + "Wow6432Node\\Interface\\" + IID + "\\TypeLib", None, None),
            ("win64", W + "Interface\\" + IID + "\\TypeLib", "Version", "1.0"),
            # Software keys go under Wow6432Node; the folder is found in any case.
            ("win64", "HKLM\\Software\\Wow6432Node\\" + IE + "\\" + CLSID, "Icon",
             PF32ON64[:PF32ON64.rfind("\\") + 1] + "BRACKWYNVTL.DLL,227"),
            # A win32 prefix: one view, the 32-bit paths, win32 type library.
            ("win32", C + "CLSID\\" + CLSID + "\\InprocServer32", "", PF32),
            ("win32", C + "Typelib\\" + LIB + "\\1.0\\409\\win32", "", PF32),
            ("win32", C + "Typelib\\" + LIB + "\\1.0\\409\\win64", None, None),
            ("win32", W + "Interface\\" + IID + "\\TypeLib", None, None),
        ]
        for prefix, key, name, want in cases:
            with self.subTest(prefix=prefix, key=key, name=name):
                keys = self.both if prefix == "win64" else self.alone
                got = keys.get(key.lower())
                if name is None:
                    self.assertEqual(got, want)
                else:
                    self.assertIsNotNone(got, "key missing")
                    self.assertEqual(got.get(name), sz(want))

    def test_one_key_per_path_whatever_its_case(self):
        keys = self.win64["diff"]["added"]
        self.assertEqual(len(keys), len(lowered(keys)))

    def test_modules_roots_and_kept(self):
        self.assertEqual(self.win64["modules"], [{"arch": "x64", "path": PF64}, {"arch": "x86", "path": PF32ON64}])
        self.assertEqual(self.win32["modules"], [{"arch": "x86", "path": PF32}])
        roots = {r.lower() for r in self.win64["roots"]}
        for want in (W + "CLSID\\" + CLSID, C + "Typelib\\" + LIB,
                     "HKLM\\Software\\Wow6432Node\\" + IE + "\\" + CLSID):
            self.assertIn(want.lower(), roots)
        # The kept parent is not a root: removal must leave it.
        self.assertNotIn(("HKLM\\Software\\Wow6432Node\\" + IE).lower(), roots)
        self.assertIn(("HKLM\\Software\\Wow6432Node\\" + IE).lower(), {k.lower() for k in self.win64["kept"]})

    def test_refuses_a_capture_that_is_not_the_64_bit_dll_alone(self):
        for change in ({"prefix_arch": "win32"},
                       {"modules": [{"arch": "x64", "path": PF64}, {"arch": "x86", "path": PF32ON64}]}):
            with self.subTest(change=change), self.assertRaises(SystemExit):
                derive32.derive(dict(copy.deepcopy(CAPTURE), **change), BEFORE, PF32ON64, PF32)


class PackageCode(unittest.TestCase):
    """The package code changes with anything that goes into the package."""

    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.dir)
        self.dll(b"MZ one")
        self.write('<Wix><Property Id="ARPNOMODIFY" Value="1"/><File Source="a.dll"/></Wix>\n', "")

    def dll(self, data):
        with open(os.path.join(self.dir, "a.dll"), "wb") as f:
            f.write(data)

    def write(self, wxs, sql):
        with open(os.path.join(self.dir, "p.wxs"), "w") as f:
            f.write(wxs)
        with open(os.path.join(self.dir, "p.wxs.sql"), "w") as f:
            f.write(sql)

    def code(self):
        return subprocess.run([sys.executable, os.path.join(INSTALLER, "make_wxs.py"), "--package-code",
                               os.path.join(self.dir, "p.wxs")], capture_output=True, text=True,
                              check=True).stdout.strip()

    def test_changes_with_each_input(self):
        first = self.code()
        self.assertRegex(first, r"^\{[0-9A-F-]{36}\}$")
        self.assertEqual(self.code(), first, "the same inputs must give the same code")
        changes = [
            ("a property", lambda: self.write('<Wix><Property Id="ARPNOMODIFY" Value="0"/>'
                                              '<File Source="a.dll"/></Wix>\n', "")),
            ("a query", lambda: self.write('<Wix><Property Id="ARPNOMODIFY" Value="1"/>'
                                           '<File Source="a.dll"/></Wix>\n', "INSERT INTO X\n")),
            ("a named file", lambda: self.dll(b"MZ two")),
        ]
        seen = {first}
        for what, change in changes:
            with self.subTest(change=what):
                change()
                code = self.code()
                self.assertNotIn(code, seen)
                seen.add(code)


if __name__ == "__main__":
    unittest.main(verbosity=1)
