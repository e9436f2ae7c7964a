#!/bin/bash
# Installs the Debian package into a scratch root and checks what a user would get from it:
# the files where Debian and the desktop look for them, programs that run from there, a udev
# rule for the printer the programs look for, entries that the desktop's tools accept, and a
# package that lintian finds nothing wrong with.
#
#   packaging/package-test.sh build/packages/remote-panel_<version>_<arch>.deb
set -u

deb=${1:?usage: package-test.sh PACKAGE.deb}
[ -f "$deb" ] || { echo "package-test: no package $deb" >&2; exit 1; }
app_id=org.remotepanel.RemotePanel
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    echo "package-test: FAILED: $*" >&2
}
check() {  # check DESCRIPTION COMMAND...: the command succeeds
    local what=$1
    shift
    if "$@"; then pass; else fail "$what"; fi
}

# --- the package itself ---------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
check "package name" test "$(field Package)" = remote-panel
depends=$(field Depends)
for library in libusb-1.0-0 libqt6widgets6 libstdc++6; do
    check "Depends names $library (dpkg-shlibdeps ran): $depends" grep -q "$library" <<<"$depends"
done
dpkg-deb -x "$deb" "$root" || { echo "package-test: cannot unpack $deb" >&2; exit 1; }
control=$root/DEBIAN
dpkg-deb -e "$deb" "$control"

# --- the files, where Debian and the desktop look for them -----------------------------------
expected=(
    usr/bin/rpanel
    usr/bin/rpanelctl
    usr/lib/udev/rules.d/70-remote-panel.rules
    usr/share/applications/$app_id.desktop
    usr/share/metainfo/$app_id.metainfo.xml
    etc/xdg/autostart/$app_id.desktop
    usr/share/icons/hicolor/scalable/apps/rpanel.svg
    usr/share/man/man1/rpanel.1.gz
    usr/share/man/man1/rpanelctl.1.gz
    usr/share/bash-completion/completions/rpanelctl
    usr/share/doc/remote-panel/copyright
    usr/share/doc/remote-panel/README.md
)
for file in "${expected[@]}"; do
    check "$file is installed" test -s "$root/$file"
done
check "the programs are executable" test -x "$root/usr/bin/rpanel" -a -x "$root/usr/bin/rpanelctl"
check "the autostart entry is a conffile" grep -qx "/etc/xdg/autostart/$app_id.desktop" \
    "$control/conffiles"
for script in postinst postrm; do
    check "$script is a valid shell script" sh -n "$control/$script"
done
check "postrm reloads the udev rules" grep -q 'udevadm control --reload-rules' "$control/postrm"

# Each size of the icon is a PNG of that size (width and height from the IHDR chunk).
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }
for size in 16 22 24 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/rpanel.png
    check "icon ${size}x${size} is there and of that size" test "$(png_size "$icon" 2>/dev/null)" = "${size}x${size}"
done

# --- the programs run from where they were installed ----------------------------------------
ctl=$root/usr/bin/rpanelctl
status_out=$("$ctl" --demo status 2>&1)
check "rpanelctl --demo status runs from the package: $status_out" test $? -eq 0
check "rpanelctl --demo status shows the display lines: $status_out" grep -q READY <<<"$status_out"
help_out=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/rpanel" --help 2>&1)
check "rpanel --help runs from the package: $help_out" test $? -eq 0

# --- the udev rule is for the printer the programs look for ---------------------------------
# The simulated printer carries the programs' own hardware ID.
wanted=$("$ctl" --demo devices | sed -n 's/^ *hardware ID: USB\\VID_\([0-9A-Fa-f]\{4\}\)&PID_\([0-9A-Fa-f]\{4\}\)$/\1:\2/p' | head -1)
rules=$root/usr/lib/udev/rules.d/70-remote-panel.rules
rule=$(grep -v '^#' "$rules" | grep -v '^$')
check "the udev rule is one line: $rule" test "$(wc -l <<<"$rule")" -eq 1
check "rpanelctl reports its hardware ID" test -n "$wanted"
vendor=$(sed -n 's/.*ATTR{idVendor}=="\([^"]*\)".*/\1/p' <<<"$rule")
product=$(sed -n 's/.*ATTR{idProduct}=="\([^"]*\)".*/\1/p' <<<"$rule")
check "the udev rule matches the printer rpanelctl looks for (${wanted,,} vs $vendor:$product)" \
    test "$vendor:$product" = "${wanted,,}"
check "the udev rule gives the seat's user access" grep -q 'TAG+="uaccess"' <<<"$rule"
check "the udev rule matches USB devices" grep -q 'SUBSYSTEM=="usb"' <<<"$rule"
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
check "the metainfo's modalias is the printer's" grep -q "<modalias>usb:v${wanted%%:*}p${wanted##*:}d\*</modalias>" "$metainfo"

# --- the desktop's tools accept the entries ---------------------------------------------------
check "desktop-file-validate accepts the menu entry" \
    desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
check "desktop-file-validate accepts the autostart entry" \
    desktop-file-validate "$root/etc/xdg/autostart/$app_id.desktop"
entry=$root/usr/share/applications/$app_id.desktop
check "the menu entry starts rpanel" grep -qx 'Exec=rpanel' "$entry"
check "the menu entry shows the icon" grep -qx 'Icon=rpanel' "$entry"
check "the autostart entry is installed disabled" grep -qx 'Hidden=true' "$root/etc/xdg/autostart/$app_id.desktop"
check "appstreamcli validates the metainfo" appstreamcli validate --no-net "$metainfo" >/dev/null
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -1)
check "the metainfo's newest release ($release) is the package's version ($(field Version))" \
    test "$release" = "$(field Version)"

# --- man pages and completion: there, readable, well-formed ---------------------------------
for page in rpanel rpanelctl; do
    file=$root/usr/share/man/man1/$page.1.gz
    check "man page $page(1) is readable" test -r "$file"
    warnings=$(zcat "$file" | groff -man -ww -z -Tutf8 2>&1)
    check "man page $page(1) formats without warnings: $warnings" test -z "$warnings"
done
completion=$root/usr/share/bash-completion/completions/rpanelctl
check "the bash completion is readable" test -r "$completion"
check "bash accepts the completion script" bash -n "$completion"
completions() {  # completions WORD...: what the installed completion offers for the last word
    PATH=$root/usr/bin:$PATH bash -c '
        source "$0"
        COMP_WORDS=("$@")
        COMP_CWORD=$(($# - 1))
        _rpanelctl
        echo "${COMPREPLY[*]}"' "$completion" "$@"
}
offered=$(completions rpanelctl --demo '')
check "bash completes the commands: $offered" grep -qw status <<<"$offered"

# --- lintian: no error and no warning (overrides, each with its reason, in packaging/) -------
# (Its notice about running as root goes to the error stream.)
findings=$(lintian --fail-on error,warning --display-level '>=warning' "$deb" 2>/dev/null)
check "lintian reports no error and no warning: $findings" test $? -eq 0 -a -z "$findings"
check "the lintian overrides are installed" test -s "$root/usr/share/lintian/overrides/remote-panel"

echo "package-test: $(basename "$deb"): $passed checks passed, $failed failed"
[ "$failed" -eq 0 ]
