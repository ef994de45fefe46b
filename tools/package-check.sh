#!/usr/bin/env bash
# Makes the Debian package with cpack and checks it with lintian: any error
# fails. Run by CTest (package_lintian).
# The package is made from a Release build, as Debian builds its packages
# optimised and hardened (lintian looks for the hardening): the release
# preset's tree, build-release/, configured and brought up to date here
# (nothing to do when tools/test.sh has just built it).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build="$ZENTRIX_ROOT/build-release"
build_preset release >/dev/null

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
