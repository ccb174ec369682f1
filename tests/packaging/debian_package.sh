#!/usr/bin/env bash
# The Debian package from the already built tree (cpack -G DEB): named for the version,
# holding exactly the expected files under /usr, depending on the libraries' packages and
# the fonts, and with no lintian errors.
# Usage: debian_package.sh BUILD_DIR EXPECTED_LIST VERSION
set -uo pipefail
build=$(realpath "$1") expected=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
deb=$work/dorvalen_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work")"

# Contents: the files under /usr, plus the folders that hold them.
dpkg-deb -c "$deb" | tee "$work/contents" | sed -n 's|^-.* \./usr/||p' | sort >"$work/files"
diff "$work/files" <(sort "$expected") || fail "the package's files differ (< package, > expected)"
grep -q '^-rwxr-xr-x root/root .* \./usr/bin/dorvalen$' "$work/contents" ||
    fail "bin/dorvalen is not an executable owned by root"
if grep -qv ' \./usr/\| \./$' "$work/contents"; then fail "files outside /usr"; fi

depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-liberation libqt6widgets6 libqt6gui6 libc6 libstdc++6 libqt6svg6 \
              qt6-translations-l10n; do
    grep -q "\(^\|, \)$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
dpkg-deb -f "$deb" Recommends | grep -q '\bqt6-wayland\b' || fail "the package does not recommend qt6-wayland"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package version is not $version"
zcat "$build/packaging/changelog.gz" | head -n1 | grep -q "^dorvalen ($version)" ||
    fail "the changelog does not start with version $version"
dpkg-deb -x "$deb" "$work/root"
file "$work/root/usr/bin/dorvalen" | grep -q ', stripped' || fail "bin/dorvalen is not stripped"

lintian --fail-on error "$deb" >"$work/lintian" 2>&1
status=$?
grep -v "^running with root privileges" "$work/lintian"
[ $status -eq 0 ] || fail "lintian reports errors"
echo "PASS: $(basename "$deb"), $(wc -l <"$work/files") files, Depends: $depends"
