#!/usr/bin/env python3
"""Checks a release folder: the winget manifests parse as YAML, carry the fields winget requires,
agree with each other and with the setup program (its hash, the Uninstall entry it writes), and
the portable zip holds the program and its text. Exit 1 with the reasons on any fault.
  check-release.py RELEASE_DIR BIN_DIR SOURCE_DIR"""
import hashlib
import pathlib
import re
import sys
import zipfile

import yaml

release, bin_dir, source = (pathlib.Path(arg) for arg in sys.argv[1:4])
faults = []


def check(condition, text):
    if not condition:
        faults.append(text)


version = re.search(r"project\(Zelvora VERSION ([0-9.]+)", (source / "CMakeLists.txt").read_text()).group(1)
nsi = (source / "installer/Zelvora.nsi").read_text(encoding="utf-8")
product = re.search(r'^!define PRODUCT "(.*)"', nsi, re.M).group(1)
publisher = re.search(r'^!define PUBLISHER "(.*)"', nsi, re.M).group(1)
setup = release / f"Zelvora-{version}-setup.exe"
portable = release / f"Zelvora-{version}-portable.zip"

folder = release / "winget/manifests/o/Ombrix/Zelvora" / version
manifests = {}
for name, kind in (("Ombrix.Zelvora.yaml", "version"), ("Ombrix.Zelvora.installer.yaml", "installer"),
                   ("Ombrix.Zelvora.locale.en-US.yaml", "defaultLocale")):
    try:
        manifests[kind] = yaml.safe_load((folder / name).read_text(encoding="utf-8"))
    except (OSError, yaml.YAMLError) as error:
        faults.append(f"{name}: {error}")
        manifests[kind] = {}
    m = manifests[kind]
    check(m.get("PackageIdentifier") == "Ombrix.Zelvora", f"{name}: PackageIdentifier")
    check(str(m.get("PackageVersion")) == version, f"{name}: PackageVersion is not {version}")
    check(m.get("ManifestType") == kind, f"{name}: ManifestType is not {kind}")
    check(m.get("ManifestVersion") == "1.6.0", f"{name}: ManifestVersion")

check(manifests["version"].get("DefaultLocale") == "en-US", "version: DefaultLocale")
installer = manifests["installer"]
check(installer.get("InstallerType") == "nullsoft", "installer: InstallerType")
check(installer.get("Scope") == "user", "installer: Scope")
check(installer.get("InstallerSwitches", {}).get("Silent") == "/S", "installer: the silent switch")
entries = installer.get("AppsAndFeaturesEntries") or [{}]
check(entries[0] == {"DisplayName": product, "Publisher": publisher, "DisplayVersion": version},
      f"installer: AppsAndFeaturesEntries {entries[0]} is not what the setup writes")
installers = installer.get("Installers") or [{}]
check(len(installers) == 1, "installer: one installer")
url = installers[0].get("InstallerUrl", "")
check(re.fullmatch(r"\$\{ZELVORA_DOWNLOAD_BASE\}/" + re.escape(setup.name), url) is not None,
      f"installer: InstallerUrl {url!r} is not the one placeholder and the setup's name")
setup_hash = hashlib.sha256(setup.read_bytes()).hexdigest().upper() if setup.exists() else "no setup"
check(installers[0].get("InstallerSha256") == setup_hash, "installer: InstallerSha256 is not the setup's")
locale = manifests["defaultLocale"]
for field in ("PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"):
    check(bool(locale.get(field)), f"defaultLocale: {field} missing")
check(locale.get("PackageName") == product and locale.get("Publisher") == publisher, "defaultLocale: names")

try:
    with zipfile.ZipFile(portable) as archive:
        check(archive.namelist() == ["Zelvora.exe", "Portable.txt"], f"zip holds {archive.namelist()}")
        check(archive.read("Zelvora.exe") == (bin_dir / "Zelvora.exe").read_bytes(),
              "the zip's Zelvora.exe is not the one built")
except (OSError, zipfile.BadZipFile, KeyError) as error:
    faults.append(f"{portable.name}: {error}")

for fault in faults:
    print(f"check-release: {fault}", file=sys.stderr)
sys.exit(1 if faults else 0)
