#!/usr/bin/env bash
# Installs the build into a scratch prefix and packs it as a .deb unpacked into a scratch root,
# then runs the installed programs from there: what a user of the package gets.
#   check-install.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
chmod 700 "$work"  # it is also the installed window's runtime folder

fail() { echo "FAIL: $*" >&2; exit 1; }

expect_files() {
    local root=$1
    for f in bin/solvane bin/solvane-cli \
             share/solvane/VER.bin share/solvane/png/main.png share/solvane/png/Custom/自定义底.png \
             share/applications/solvane.desktop share/icons/hicolor/256x256/apps/solvane.png \
             share/metainfo/io.solvane.Solvane.metainfo.xml share/man/man1/solvane-cli.1 \
             lib/udev/rules.d/70-solvane.rules; do
        [ -e "$root/$f" ] || fail "$f is not installed under $root"
    done
    # The reference copies of the compiled-in bitmaps stay in the build tree.
    [ ! -e "$root/share/solvane/png/bitmaps" ] || fail "png/bitmaps should not be installed"
}

# The installed command line tool talks to the virtual keyboard from wherever it lies.
expect_cli_runs() {
    local cli=$1
    local out
    out=$(HOME="$work/home" XDG_DATA_HOME="$work/home/data" "$cli" --simulate info) ||
        fail "$cli --simulate info failed"
    grep -q '^keyboard: found$' <<<"$out" || fail "unexpected info output: $out"
    grep -q '^firmware: 1\.1$' <<<"$out" || fail "unexpected info output: $out"
}

# 1. cmake --install into a prefix.
prefix="$work/prefix/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null
expect_files "$prefix"
expect_cli_runs "$prefix/bin/solvane-cli"

# The installed window starts from there, with nothing of the build tree beside it, and paints.
painted=$(cd "$work" && HOME="$work/home" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
          timeout 60 "$prefix/bin/solvane" --simulate --no-splash --data-dir "$work/home/data" \
          --report-first-paint) || fail "the installed solvane did not paint its window"
grep -Eq '^[0-9.]+$' <<<"$painted" || fail "unexpected first-paint output: $painted"

# The desktop files pass their validators, the man page renders without warnings and names
# every command the tool offers.
appstreamcli validate --no-net "$prefix/share/metainfo/io.solvane.Solvane.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate: $(appstreamcli validate --no-net "$prefix/share/metainfo/io.solvane.Solvane.metainfo.xml")"
desktop-file-validate "$prefix/share/applications/solvane.desktop" || fail "desktop-file-validate"
for page in "$prefix"/share/man/man1/*.1; do
    warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "$page: $warnings"
done
commands=$("$prefix/bin/solvane-cli" --help | sed -n '/^Commands:/,/^$/p' | awk 'NF && !/^Commands:/ {print $1}')
[ -n "$commands" ] || fail "no commands in solvane-cli --help"
for command in $commands; do
    grep -q "^\.B[I]\? \"\?$command\b" "$prefix/share/man/man1/solvane-cli.1" ||
        fail "the man page does not describe '$command'"
done

# 2. The Debian package, unpacked into a scratch root.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls "$work"/package/solvane_*.deb)
info=$(dpkg-deb --info "$deb")
grep -q '^ Package: solvane$' <<<"$info" || fail "package name: $info"
for dependency in libqt6widgets6 libhidapi-hidraw0 libudev1; do
    grep -q "^ Depends:.*$dependency" <<<"$info" || fail "the package does not depend on $dependency: $info"
done
dpkg-deb -x "$deb" "$work/root"
expect_files "$work/root/usr"
expect_cli_runs "$work/root/usr/bin/solvane-cli"
echo "installed tree and package are complete"
