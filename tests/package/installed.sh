#!/usr/bin/env bash
# The package unpacked into a temporary root, as apt would install it: every program of the
# build is in /usr/bin with its manual page and answers --version with the project's version;
# zelmar-sim --help lists its options; the English translation is installed; zelmar, started
# twice from the read-only copy with a fresh home, keeps its files in the user's data directory
# and finds them again.
#   installed.sh <folder with the .deb> <programs.txt> <version>
set -euo pipefail
deb="$(ls "$1"/zelmar_*.deb)"
programs="$2"
version="$3"
tmp="$(mktemp -d)"
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    chmod -R u+w "$tmp"
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
chmod -R a-w "$root"
bin="$root/usr/bin"

checked=0
while read -r program; do
    [ -n "$program" ] || continue
    [ -x "$bin/$program" ] || fail "$program is not in /usr/bin"
    [ -f "$root/usr/share/man/man1/$program.1.gz" ] || fail "$program has no manual page"
    # Without a display: a packaged program may be asked its version anywhere.
    answer="$(env -i PATH=/usr/bin:/bin "$bin/$program" --version)" ||
        fail "$program --version exits with $?"
    # "<program> <version>", the version exactly as the build has it (1.3, not 1.3.0).
    echo "$answer" | head -n 1 | grep -Eq "^$program .*\<${version//./\\.}\$" ||
        fail "$program --version says '$answer', not version $version"
    checked=$((checked + 1))
done < "$programs"
[ "$checked" -ge 2 ] || fail "only $checked programs listed in $programs"
[ "$(ls "$bin" | sort)" = "$(grep . "$programs" | sort)" ] || fail "/usr/bin holds $(ls "$bin")"

"$bin/zelmar-sim" --help | grep -q -- '--scenario' || fail "zelmar-sim --help lists no options"

# The English translation beside the programs, as a Qt translation file.
qm="$root/usr/share/zelmar/translations/zelmar_en.qm"
[ -s "$qm" ] || fail "no English translation in /usr/share/zelmar/translations"
[ "$(head -c 16 "$qm" | od -An -tx1 | tr -d ' \n')" = "3cb86418caef9c95cd211cbf60a1bddd" ] ||
    fail "$qm is no Qt translation file"

# zelmar from the read-only copy, offscreen, with nothing of the caller's home.
home="$tmp/home"
mkdir -p "$home"
data="$home/.local/share/zelmar"
start_zelmar() { # waits for the START line number $1 of the logbook, then ends the program
    local starts="$1" waited=0
    env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen \
        XDG_RUNTIME_DIR="$tmp/run" "$bin/zelmar" > "$tmp/zelmar.out" 2>&1 &
    pid=$!
    until [ "$(grep -c START "$data/DATEN/LOGBUCH.txt" 2>/dev/null)" = "$starts" ]; do
        kill -0 "$pid" 2>/dev/null || { cat "$tmp/zelmar.out" >&2; fail "zelmar ended early"; }
        [ "$waited" -lt 300 ] || fail "no START line $starts in $data/DATEN/LOGBUCH.txt"
        sleep 0.1
        waited=$((waited + 1))
    done
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
}
mkdir -m 700 "$tmp/run"
start_zelmar 1
[ -d "$data/DATEN" ] || fail "no DATEN/ in the data directory"
# Root may write to a read-only directory; the program must not.
[ "$(ls "$bin" | sort)" = "$(grep . "$programs" | sort)" ] || fail "zelmar wrote beside itself"

# The second start appends to the same logbook: the files are found again, not made anew.
start_zelmar 2
echo "installed package: $checked programs, zelmar keeps its files in the user's data directory"
