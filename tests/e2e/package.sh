#!/bin/bash
# The Debian package, as a player gets it.
#   package.sh build BUILD       makes BUILD/package/kotoyumi_*.deb with CPack
#   package.sh installed BUILD   unpacks it into a temporary root and runs the engine from there
#   package.sh lintian BUILD     lintian finds no error in it (skipped, 77, without lintian)
set -uo pipefail
mode=$1
build=$(cd "$2" && pwd)
fail() {
    echo "FAIL: $*"
    exit 1
}

if [[ $mode == build ]]; then
    rm -rf "$build/package"
    cd "$build" && cpack -G DEB -B "$build/package" || fail "cpack"
    ls "$build"/package/kotoyumi_*.deb || fail "no package made"
    exit 0
fi

deb=$(ls "$build"/package/kotoyumi_*.deb 2>/dev/null | head -1)
[[ -f $deb ]] || fail "no package in $build/package (the package_build test makes it)"

if [[ $mode == lintian ]]; then
    command -v lintian >/dev/null || {
        echo "lintian is not installed: not run"
        exit 77
    }
    lintian --fail-on error "$deb" || fail "lintian reports errors"
    exit 0
fi

work=$(mktemp -d /tmp/kotoyumi-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
exe=$root/usr/games/kotoyumi
share=$root/usr/share

# The libraries come from shlibdeps; the faces and the instruments are found at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for p in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfluidsynth3 libfreetype6 libjpeg62-turbo libpng16-16 \
    fonts-ipafont-mincho fonts-ipafont-gothic timgm6mb-soundfont; do
    [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || fail "Depends lacks $p: $depends"
done

"$exe" --version >"$work/version" || fail "--version"
cat "$work/version"
version=$(head -1 "$work/version")
[[ $version =~ ^kotoyumi\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "first line of --version: $version"
number=${version#kotoyumi }
for lib in SDL SDL_mixer FluidSynth FreeType libjpeg; do
    grep -Eq "^$lib[ -][a-z]*[ ]?[0-9]" "$work/version" || fail "--version names no $lib version"
done
[[ $(dpkg-deb -f "$deb" Version) == "$number" ]] || fail "package version is not $number"
zcat "$share/doc/kotoyumi/changelog.gz" | head -1 | grep -q "($number)" || fail "changelog is not at $number"
zcat "$share/man/man6/kotoyumi.6.gz" | grep -q "^\.TH KOTOYUMI 6 .*\"kotoyumi $number\"" || fail "man page is not at $number"
"$exe" --help | grep -q -- "--version" || fail "--help"

# The installed demo checks clean and plays to its end, with the build tree out of sight: the
# runner is started from an empty folder and the demo named by its installed path.
demo=$share/kotoyumi/demo
"$exe" --check --strict "$demo" >"$work/check" || fail "--check --strict: $(cat "$work/check")"
mkdir "$work/run" && cd "$work/run" || fail "no work folder"
"$exe" --headless --log run.log "$demo" || fail "the headless run ended with $?"
last=$(tail -1 run.log)
[[ $last =~ ^[0-9]+\ exit\ 0$ ]] || fail "the run log ends with: $last"
# Started with no game folder from a folder holding no game, the window plays the installed demo.
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work timeout 2 "$exe" 2>"$work/bare"
grep -q "playing the demo game in $root/usr/games/../share/kotoyumi/demo" "$work/bare" ||
    fail "a bare start does not play the installed demo: $(cat "$work/bare")"

desktop-file-validate "$share/applications/org.kotoyumi.kotoyumi.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/org.kotoyumi.kotoyumi.metainfo.xml" || fail "appstreamcli"
MANWIDTH=80 man --warnings -l "$share/man/man6/kotoyumi.6.gz" >"$work/man" 2>"$work/man-warnings"
[[ ! -s $work/man-warnings ]] || fail "man page warnings: $(cat "$work/man-warnings")"
grep -q "EXIT STATUS" "$work/man" || fail "man page did not render"
for size in 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/kotoyumi.png
    # PNG: width and height at bytes 16-23, colour type 6 (RGBA) at byte 25.
    header=$(od -An -tu1 -j16 -N10 "$icon" 2>/dev/null | tr -s ' ')
    [[ $header == " 0 0 $((size >> 8)) $((size & 255)) 0 0 $((size >> 8)) $((size & 255)) 8 6" ]] ||
        fail "icon $icon: $header"
done
for doc in README.md authoring.md copyright; do
    [[ -s $share/doc/kotoyumi/$doc ]] || fail "no $doc in share/doc/kotoyumi"
done
echo "the installed package plays its demo"
