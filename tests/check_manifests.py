#!/usr/bin/python3
"""The package managers' manifests in a release's dist/ folder match the public schemas kept in
tests/schemas/ and the packages beside them.   check_manifests.py <dist folder>"""
import glob, hashlib, json, os, sys, zipfile

import jsonschema, yaml

dist = sys.argv[1]
schemas = os.path.join(os.path.dirname(os.path.abspath(__file__)), "schemas")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def validate(document, schema_file, name):
    with open(os.path.join(schemas, schema_file)) as f:
        for error in jsonschema.Draft7Validator(json.load(f)).iter_errors(document):
            failures.append(f"{name}: {error.message} at {list(error.absolute_path)}")


def package(url):
    """The file in dist/ that a download URL names, and its SHA-256."""
    path = os.path.join(dist, url.rsplit("/", 1)[-1])
    if not os.path.isfile(path):
        sys.exit(f"{url} names no package in {dist}")
    with open(path, "rb") as f:
        return path, hashlib.sha256(f.read()).hexdigest()


winget = {}
for name in sorted(glob.glob(os.path.join(dist, "winget", "*.yaml"))):
    with open(name) as f:
        manifest = yaml.load(f, Loader=yaml.BaseLoader)  # every scalar a string, as winget reads it
    winget[manifest["ManifestType"]] = manifest
    for expected in manifest.get("ExpectedReturnCodes", []):  # numbers, which winget reads as such
        expected["InstallerReturnCode"] = int(expected["InstallerReturnCode"])
    validate(manifest, f"manifest.{manifest['ManifestType']}.1.6.0.json", name)
check(sorted(winget) == ["defaultLocale", "installer", "version"], f"winget files: {sorted(winget)}")
check(len({(m["PackageIdentifier"], m["PackageVersion"]) for m in winget.values()}) == 1,
      "the winget files name different packages or versions")
version = winget["version"]["PackageVersion"]
for installer in winget["installer"]["Installers"]:
    _, digest = package(installer["InstallerUrl"])
    check(installer["InstallerSha256"].lower() == digest, "InstallerSha256 is not the setup's")
    check(f"-{version}-setup.exe" in installer["InstallerUrl"], "the setup is of another version")

scoop = glob.glob(os.path.join(dist, "scoop", "*.json"))
check(len(scoop) == 1, f"scoop manifests: {scoop}")
with open(scoop[0]) as f:
    manifest = json.load(f)
validate(manifest, "scoop.schema.json", scoop[0])
check(manifest["version"] == version, "scoop and winget give different versions")
download = manifest["architecture"]["64bit"]
path, digest = package(download["url"])
check(download["hash"] == digest, "the scoop hash is not the zip's")
with zipfile.ZipFile(path) as z:
    for program in manifest["bin"]:
        check(f"{manifest['extract_dir']}/{program}" in z.namelist(), f"the zip holds no {program}")

print("\n".join(failures) or f"manifests of {version} match their schemas and packages")
sys.exit(1 if failures else 0)
