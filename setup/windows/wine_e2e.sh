#!/bin/bash
# setup.exe end to end under Wine, against Wine's own "install" handler for INF files
# (rundll32 setupapi,InstallHinfSection) and its Notepad for the read-me. Needs wine (Debian
# packages wine64 and wine), xdotool and an X display:
#   xvfb-run -a bash setup/windows/wine_e2e.sh build/setup-windows/setup.exe
# Case 1: the installation runs (its INF writes a registry value), the read-me opens in Notepad
# and is closed, then "Installation successful" comes up and answering it ends the launcher.
# Case 2: without the INF, "Could not find INF file" comes up at once and nothing is opened.
# The message boxes' texts and styles are read from Wine's relay trace of MessageBoxA.
set -u

exe=$(realpath "$1")
work=$(mktemp -d /tmp/setup-wine-XXXXXX)
export WINEPREFIX="$work/prefix"
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
export WINEDEBUG=-all
passed=0
failed=0

cleanup() {
    wineserver -k >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT

check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $1" >&2
    fi
}

# Waits (at most 60 s) for a window whose name matches, and prints its id.
await_window() {
    timeout 60 xdotool search --sync --name "$1" 2>/dev/null | head -n 1
}

# Presses a key in a window (at most 20 s to bring it to the front).
press() {  # press WINDOW KEY
    timeout 20 xdotool windowfocus --sync "$1" key "$2"
}

# Waits at most 30 s for the launcher to end; sets ended to its exit code, or to "killed".
launcher_end() {
    if timeout 30 tail --pid="$1" -f /dev/null; then
        wait "$1"
        ended=$?
    else
        kill -9 "$1" 2>/dev/null
        wait "$1" 2>/dev/null
        ended=killed
    fi
}

# The launcher's folder on the installation medium.
make_medium() {
    cd "$work"
    rm -rf "$work/medium"
    mkdir -p "$work/medium"
    cp "$exe" "$work/medium/setup.exe"
    printf '[setup]\r\ninf=setup.inf\r\napp=Quavrel Setup\r\nrme=readme.txt\r\n' \
        > "$work/medium/kitbem.cfg"
    printf 'Read me.\r\n' > "$work/medium/readme.txt"
    printf '%s\r\n' '[Version]' 'Signature="$Windows NT$"' '' '[DefaultInstall]' \
        'AddReg=Marker' '' '[Marker]' 'HKCU,Software\Quavrel\Setup,Installed,,1' \
        > "$work/medium/setup.inf"
}

installed() {
    wine reg query 'HKCU\Software\Quavrel\Setup' /v Installed >/dev/null 2>&1
}
not_installed() {
    ! installed
}

echo "resources: the icon \"kitbem\" and the version 1.0.0.0, \"Kitbem\", \"1.00\""
has_bytes() {  # has_bytes PERL-REGEX: the program holds these bytes
    LC_ALL=C grep -qaP "$1" "$exe"
}
utf16() {  # the UTF-16LE pattern of an ASCII text, as resources store it
    printf '%s' "$1" | sed 's/./&\\x00/g'
}
check "an icon group named kitbem" has_bytes "$(utf16 KITBEM)"
# VS_FIXEDFILEINFO: signature, structure version, file version 1.0.0.0, product version 1.0.0.0.
check "file and product version 1.0.0.0" has_bytes \
    '\xbd\x04\xef\xfe\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00'
check "file description Kitbem" has_bytes "$(utf16 FileDescription)\\x00\\x00(\\x00\\x00)?$(utf16 Kitbem)\\x00\\x00"
check "file version text 1.00" has_bytes "$(utf16 FileVersion)\\x00\\x00(\\x00\\x00)?$(utf16 1.00)\\x00\\x00"

echo "making a fresh Wine prefix in $WINEPREFIX"
timeout 120 wineboot -i >/dev/null 2>&1
timeout 60 wineserver -w
# Windows without a window manager close at once; ".txt" opens in Notepad again (the Mono and
# Gecko overrides drop that association); the relay trace shows only the calls looked at.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d 'user32.MessageBoxA' /f \
    >/dev/null 2>&1

echo "case 1: installation and read-me"
make_medium
cd "$work/medium"
WINEDEBUG=+relay wine setup.exe > "$work/relay1.log" 2>&1 &
launcher=$!
notepad=$(await_window '^readme.txt - Notepad$')
check "the read-me opens in Notepad" test -n "$notepad"
check "the purple window is up" test -n "$(xdotool search --name '^kitbem$' 2>/dev/null)"
box=""
if [ -n "$notepad" ]; then
    # The installation has run by now; the launcher waits for the read-me as well.
    for _ in $(seq 30); do installed && break; sleep 0.2; done
    check "the INF was installed" installed
    check "no message while the read-me is open" \
        test -z "$(xdotool search --name '^Quavrel Setup$' 2>/dev/null)"
    press "$notepad" alt+F4
    box=$(await_window '^Quavrel Setup$')
fi
check "a message box comes up" test -n "$box"
[ -n "$box" ] && press "$box" Return
launcher_end "$launcher"
check "the launcher ends with 0" test "$ended" = 0
check "it said Installation successful, captioned Quavrel Setup, with the information icon" \
    grep -aq 'MessageBoxA([0-9a-f]*,[0-9a-f]* "Installation successful",[0-9a-f]* "Quavrel Setup",00000040)' \
    "$work/relay1.log"

echo "case 2: no INF file"
wine reg delete 'HKCU\Software\Quavrel' /f >/dev/null 2>&1
make_medium
rm "$work/medium/setup.inf"
cd "$work/medium"
WINEDEBUG=+relay wine setup.exe > "$work/relay2.log" 2>&1 &
launcher=$!
box=$(await_window '^Quavrel Setup$')
check "a message box comes up" test -n "$box"
check "the read-me is not opened" \
    test -z "$(xdotool search --name 'Notepad' 2>/dev/null)"
[ -n "$box" ] && press "$box" Return
launcher_end "$launcher"
check "the launcher ends with 0" test "$ended" = 0
check "it warned Could not find INF file, captioned Quavrel Setup" \
    grep -aq 'MessageBoxA([0-9a-f]*,[0-9a-f]* "Could not find INF file",[0-9a-f]* "Quavrel Setup",00000030)' \
    "$work/relay2.log"
check "nothing was installed" not_installed

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
