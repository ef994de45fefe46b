#!/usr/bin/env bash
# Builds the Debian package of a built tree with cpack and checks it with
# lintian: any error fails. Run by CTest (package_lintian) after the build.
#   tools/package-check.sh <build dir>
set -euo pipefail
build=$(cd "$1" && pwd)
out="$build/package-check"
rm -rf "$out"
mkdir -p "$out"
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log" >&2
    exit 1
}
deb=$(ls "$out"/*.deb)
# The package must hold both programs and their manual pages.
contents=$(dpkg-deb -c "$deb")
for path in usr/bin/zentrix usr/bin/zentrix-cli usr/share/man/man1/zentrix.1.gz \
    usr/share/man/man1/zentrix-cli.1.gz usr/share/doc/zentrix/copyright \
    usr/share/doc/zentrix/changelog.gz; do
    grep -q " \./$path\$" <<<"$contents" || {
        echo "$(basename "$deb") has no $path" >&2
        exit 1
    }
done
# Warnings and notes are shown; only errors fail.
lintian --fail-on error --tag-display-limit 0 "$deb"
