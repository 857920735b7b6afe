#!/usr/bin/env bash
# Builds the Debian package from a build tree with CPack and checks it as a
# packager would: lintian reports no error and no warning, and the package
# holds the documentation files and both manual pages, which man can show.
#   check_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
out=$build/package-check
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out.log" 2>&1 ||
    { cat "$out.log"; exit 1; }
deb=$(ls "$out"/qelvar_*.deb)

status=0
fail() { echo "FAIL: $*"; status=1; }

# lintian exits 1 when it reports an error, higher when it cannot check.
lintian_status=0
report=$(lintian --no-tag-display-limit "$deb" 2>"$out/lintian.err") || lintian_status=$?
echo "$report"
[ $lintian_status -le 1 ] || { cat "$out/lintian.err"; fail "lintian could not check the package"; }
grep -q '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/qelvar usr/bin/qelvar-cli \
    usr/share/doc/qelvar/copyright usr/share/doc/qelvar/changelog.gz \
    usr/share/man/man1/qelvar.1.gz usr/share/man/man1/qelvar-cli.1.gz \
    usr/share/applications/org.tovrin.Qelvar.desktop \
    usr/share/metainfo/org.tovrin.Qelvar.metainfo.xml \
    usr/share/qelvar/screenshots/chart.png; do
    grep -qx "./$f" <<<"$files" || fail "the package lacks /$f"
done

# The manual pages as `man` shows them once installed.
root=$out/root
dpkg-deb -x "$deb" "$root"
cli_page=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/qelvar-cli.1.gz" 2>&1)
for text in "qelvar-cli - " "SYNOPSIS" "qelvar-cli convert" "--format" "SEE ALSO"; do
    grep -qF -- "$text" <<<"$cli_page" || fail "man qelvar-cli lacks \"$text\""
done
gui_page=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/qelvar.1.gz" 2>&1)
grep -qF "qelvar - Purple Star chart casting" <<<"$gui_page" || fail "man qelvar lacks its NAME line"
exit $status
