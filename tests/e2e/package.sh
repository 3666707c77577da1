#!/bin/bash
# The Debian package as a player gets it. MODE build makes BUILD/package/kotoyumi_*.deb; installed
# unpacks it into a temporary root and runs the engine from there; lintian finds no error in it
# (skipped, 77, where lintian is not installed).
set -uo pipefail
mode=$1 build=$(cd "$2" && pwd)
fail() {
    echo "FAIL: $*"
    exit 1
}
if [[ $mode == build ]]; then
    rm -rf "$build/package"
    cd "$build" && cpack -G DEB -B "$build/package" && exit 0
    fail "cpack"
fi
deb=$(ls "$build"/package/kotoyumi_*.deb | head -1)
if [[ $mode == lintian ]]; then
    command -v lintian >/dev/null || exit 77
    lintian --fail-on error "$deb" || fail "lintian reports errors"
    exit 0
fi

work=$(mktemp -d /tmp/kotoyumi-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
root=$work/root share=$work/root/usr/share exe=$work/root/usr/games/kotoyumi
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
depends=", $(dpkg-deb -f "$deb" Depends),"
for p in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfluidsynth3 libfreetype6 libjpeg62-turbo \
    fonts-ipafont-mincho fonts-ipafont-gothic timgm6mb-soundfont; do
    [[ $depends =~ ,\ $p[\ ,] ]] || fail "Depends lacks $p: $depends"
done

"$exe" --version >"$work/version" && cat "$work/version" || fail "--version"
for lib in SDL SDL_mixer FluidSynth FreeType libjpeg-turbo; do
    grep -Eq "^$lib [0-9]" "$work/version" || fail "--version names no $lib version"
done
# The version is one in the engine, the package, its changelog and its manual page.
number=$(head -1 "$work/version" | sed -n 's/^kotoyumi \([0-9.]*\)$/\1/p')
[[ -n $number && $(dpkg-deb -f "$deb" Version) == "$number" ]] || fail "package version is not '$number'"
zcat "$share/doc/kotoyumi/changelog.gz" | head -1 | grep -qF "($number)" || fail "changelog is not at $number"
zcat "$share/man/man6/kotoyumi.6.gz" | grep -qF "\"kotoyumi $number\"" || fail "man page is not at $number"
"$exe" --help | grep -q -- "--version" || fail "--help"

# The installed demo, named by its installed path from an empty folder, checks clean and plays to
# its end; started with no game folder there, the window plays the installed demo, not the build's.
demo=$share/kotoyumi/demo
"$exe" --check --strict "$demo" >"$work/check" || fail "--check --strict: $(cat "$work/check")"
mkdir "$work/run" && cd "$work/run" || fail "no work folder"
"$exe" --headless --log run.log "$demo" || fail "the headless run ended with $?"
[[ $(tail -1 run.log) =~ ^[0-9]+\ exit\ 0$ ]] || fail "the run log ends with: $(tail -1 run.log)"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work timeout 2 "$exe" 2>"$work/bare"
grep -qF "playing the demo game in $root/usr/games/../share/kotoyumi/demo" "$work/bare" ||
    fail "a bare start does not play the installed demo: $(cat "$work/bare")"

desktop-file-validate "$share/applications/org.kotoyumi.kotoyumi.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/org.kotoyumi.kotoyumi.metainfo.xml" || fail "appstreamcli"
MANWIDTH=80 man --warnings -l "$share/man/man6/kotoyumi.6.gz" 2>&1 >"$work/man" | grep . && fail "man warns"
grep -q "EXIT STATUS" "$work/man" || fail "the man page did not render"
for size in 32 48 64 128 256; do
    # A PNG's width and height are at bytes 16-23, its colour type (6: RGBA) at byte 25.
    header=$(od -An -tu1 -j16 -N10 "$share/icons/hicolor/${size}x$size/apps/kotoyumi.png" | tr -s ' ')
    [[ $header == " 0 0 $((size >> 8)) $((size & 255)) 0 0 $((size >> 8)) $((size & 255)) 8 6" ]] ||
        fail "the ${size}px icon's header: $header"
done
for doc in README.md authoring.md copyright; do
    [[ -s $share/doc/kotoyumi/$doc ]] || fail "no $doc in share/doc/kotoyumi"
done
echo "the installed package plays its demo"
