#!/bin/sh
# Builds the 32-bit Windows release (the module, the tool and their .zip)
# twice from the same sources, in two folders, one after the other, and
# checks that the two are byte for byte the same; where they are not,
# diffoscope shows how. SOURCE_DATE_EPOCH is the last commit's date.
# Usage: scripts/check-reproducible.sh [PRESET]   (default windows-x86)
set -eu
cd "$(dirname "$0")/.."
preset=${1:-windows-x86}
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for copy in first second; do
  mkdir -p "$work/$copy/rollwright"
  git ls-files -z --cached --others --exclude-standard |
    xargs -0 tar cf - | tar xf - -C "$work/$copy/rollwright"
  (cd "$work/$copy/rollwright" &&
   cmake --preset "$preset" -DROLLWRIGHT_BUILD_TESTS=OFF >/dev/null &&
   cmake --build --preset "$preset" --target rollwright rollwright_cli >/dev/null &&
   cd "build/$preset" && cpack -G ZIP >/dev/null)
  sleep 3  # past the 2-second grain of a zip's timestamps
done
status=0
first=$work/first/rollwright/build/$preset
second=$work/second/rollwright/build/$preset
for file in rollwright.dll rollwright.exe rollwright.dll.debug \
            rollwright.exe.debug $(cd "$first" && ls rollwright-*.zip); do
  if cmp -s "$first/$file" "$second/$file"; then
    echo "same: $file ($(wc -c <"$first/$file") bytes)"
  else
    echo "DIFFERENT: $file"
    command -v diffoscope >/dev/null &&
      diffoscope --text - "$first/$file" "$second/$file" | head -40
    status=1
  fi
done
exit $status
