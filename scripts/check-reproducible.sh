#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the release of each preset (the module, the tool, their debug files
# and packages: the 32-bit Windows .zip; the Linux .tar.gz and Debian's three
# .deb files) twice from the same sources, in two folders, one after the
# other, and checks that the two are byte for byte the same; where they are
# not, diffoscope shows how. SOURCE_DATE_EPOCH is the last commit's date.
# Usage: scripts/check-reproducible.sh [PRESET ...]   (default windows-x86 default)
set -eu
cd "$(dirname "$0")/.."
presets=${*:-windows-x86 default}
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
release_files="rollwright.dll rollwright.exe librollwright.so.*.* rollwright
  *.debug rollwright-*.zip rollwright-*.tar.gz *.deb"
status=0
for preset in $presets; do
  for copy in first second; do
    mkdir -p "$work/$copy/rollwright"
    git ls-files -z --cached --others --exclude-standard |
      xargs -0 tar cf - | tar xf - -C "$work/$copy/rollwright"
    (cd "$work/$copy/rollwright" &&
     cmake --preset "$preset" -DROLLWRIGHT_BUILD_TESTS=OFF >/dev/null &&
     cmake --build --preset "$preset" >/dev/null &&
     cd "build/$preset" && cpack >/dev/null 2>&1)
    sleep 3  # past the 2-second grain of a zip's timestamps
  done
  first=$work/first/rollwright/build/$preset
  second=$work/second/rollwright/build/$preset
  files=$(cd "$first" && ls -d $release_files 2>/dev/null | sort -u) || true
  [ -n "$files" ] || { echo "no release files in $preset" >&2; exit 1; }
  for file in $files; do
    if cmp -s "$first/$file" "$second/$file"; then
      echo "same: $preset/$file ($(wc -c <"$first/$file") bytes)"
    else
      echo "DIFFERENT: $preset/$file"
      command -v diffoscope >/dev/null &&
        diffoscope --text - "$first/$file" "$second/$file" | head -40
      status=1
    fi
  done
  rm -rf "$work/first" "$work/second"
done
exit $status
