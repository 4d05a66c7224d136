#!/usr/bin/env bash
# Writes the package managers' manifests for the packages in <dist folder>, ready to submit:
# dist/winget/ (the three-file form: version, installer, default locale) for the setup, and
# dist/scoop/<product>.json for the portable zip. Names come from framework/core/Product.h, the
# hashes from the packages themselves.
#   manifests.sh <version> <dist folder>
# TALLOWMERE_DOWNLOAD_URL is where the release's files will be downloadable; @VERSION@ in it
# becomes the version (default: <home page>/releases/v@VERSION@).
# TALLOWMERE_LICENSE names the licence the package managers show (default: Proprietary).
set -euo pipefail
version=$1 dist=$2
here=$(cd "$(dirname "$0")" && pwd)
define() { sed -n "s/^#define TALLOWMERE_$1 \"\(.*\)\"/\1/p" "$here/../framework/core/Product.h"; }
product=$(define PRODUCT) publisher=$(define PUBLISHER) homepage=$(define HOMEPAGE)
title=$(define TITLE)
# winget wants Publisher.Package, without blanks.
id="$(sed 's/\b\(.\)/\u\1/g; s/ //g' <<<"$publisher").$product"
url=${TALLOWMERE_DOWNLOAD_URL:-$homepage/releases/v@VERSION@}
url=${url//@VERSION@/$version}
license=${TALLOWMERE_LICENSE:-Proprietary}
name=Tallowmere-$version  # as package.sh names them
setup=$name-setup.exe zip=$name-portable.zip
hash() { sha256sum "$dist/$1" | cut -d' ' -f1; }
date=$(date -u -d "@${SOURCE_DATE_EPOCH:-$(bash "$here/../scripts/source-date.sh")}" +%F)
description="Makes strong random passwords from the system's cryptographic random numbers."
# Setup's exit codes, as Tallowmere.nsi defines them.
code() { sed -n "s/^!define EXIT_$1 \([0-9]*\).*/\1/p" "$here/Tallowmere.nsi"; }

rm -rf "$dist/winget" "$dist/scoop"
mkdir -p "$dist/winget" "$dist/scoop"
w=$dist/winget/$id
schema() { echo "# yaml-language-server: \$schema=https://aka.ms/winget-manifest.$1.1.6.0.schema.json"; }
{
  schema version
  cat <<EOF
PackageIdentifier: $id
PackageVersion: $version
DefaultLocale: en-US
ManifestType: version
ManifestVersion: 1.6.0
EOF
} >"$w.yaml"

# Setup elevates itself, takes /S (silent, starting nothing) and /D=<folder> last; it lists
# itself under the product's name, which is also its uninstall key, with a QuietUninstallString.
{
  schema installer
  cat <<EOF
PackageIdentifier: $id
PackageVersion: $version
InstallerLocale: en-US
InstallerType: nullsoft
Scope: machine
InstallModes:
- interactive
- silent
- silentWithProgress
InstallerSwitches:
  Silent: /S
  SilentWithProgress: /S
  InstallLocation: /D=<INSTALLPATH>
UpgradeBehavior: install
ExpectedReturnCodes:
- InstallerReturnCode: $(code FOLDER_ASKED)
  ReturnResponse: invalidParameter
- InstallerReturnCode: $(code RUNNING)
  ReturnResponse: packageInUse
- InstallerReturnCode: $(code INSTALLED_ELSEWHERE)
  ReturnResponse: alreadyInstalled
- InstallerReturnCode: $(code FOLDER_REFUSED)
  ReturnResponse: invalidParameter
- InstallerReturnCode: $(code CANNOT_WRITE)
  ReturnResponse: custom
ElevationRequirement: elevatesSelf
ReleaseDate: $date
AppsAndFeaturesEntries:
- DisplayName: "$product"
  Publisher: "$publisher"
  DisplayVersion: "$version"
  ProductCode: "$product"
Commands:
- tallowmere-cli
Installers:
- Architecture: x64
  InstallerUrl: $url/$setup
  InstallerSha256: $(hash "$setup" | tr a-f A-F)
ManifestType: installer
ManifestVersion: 1.6.0
EOF
} >"$w.installer.yaml"

{
  schema defaultLocale
  cat <<EOF
PackageIdentifier: $id
PackageVersion: $version
PackageLocale: en-US
Publisher: "$publisher"
PublisherUrl: $homepage
PackageName: "$product"
PackageUrl: $homepage
License: "$license"
ShortDescription: "$description"
Moniker: ${title,,}
Tags:
- password
- password-generator
ManifestType: defaultLocale
ManifestVersion: 1.6.0
EOF
} >"$w.locale.en-US.yaml"

# The zip holds one folder, named as the zip, with the program.
cat >"$dist/scoop/${product,,}.json" <<EOF
{
    "version": "$version",
    "description": "$description",
    "homepage": "$homepage",
    "license": "$license",
    "architecture": {
        "64bit": {
            "url": "$url/$zip",
            "hash": "$(hash "$zip")"
        }
    },
    "extract_dir": "$name",
    "bin": [
        "Tallowmere.exe",
        "tallowmere-cli.exe"
    ],
    "shortcuts": [
        [
            "Tallowmere.exe",
            "$product"
        ]
    ]
}
EOF
