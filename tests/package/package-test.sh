#!/usr/bin/env bash
# Builds the Debian package from a build tree, checks what it holds and what
# it depends on, unpacks it into a scratch root and runs the installed command
# line program from there with a scratch home folder.
#
#   package-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "${1:?build folder}" && pwd)
source=$(cd "${2:?source folder}" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/slipdesk-package-XXXXXX")
cleanup() {
  chmod -R u+w "$scratch" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for program in slipdesk slipdesk-cli; do
  [ -x "$build/$program" ] || { echo "FAIL: $build/$program is not built" >&2; exit 1; }
done

# cpack writes its work folders and the package below -B, so that a run
# leaves the build tree as it was.
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || {
  cat "$scratch/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
}
shopt -s nullglob
debs=("$scratch"/out/slipdesk_*.deb)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: expected one slipdesk_*.deb, got: ${debs[*]:-none}" >&2; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

# --- contents -------------------------------------------------------------
contents=$(dpkg-deb -c "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }')
expect_file() {
  grep -qxF "./usr/$1" <<<"$contents" || fail "package lacks /usr/$1"
}
expect_file bin/slipdesk
expect_file bin/slipdesk-cli
expect_file share/applications/slipdesk.desktop
expect_file share/icons/hicolor/scalable/apps/slipdesk.svg
sample_count=0
for picture in "$source/sample/用户信函模版"/*; do
  expect_file "share/slipdesk/用户信函模版/$(basename "$picture")"
  sample_count=$((sample_count + 1))
done
[ "$sample_count" -gt 0 ] || fail "no sample pictures in $source/sample/用户信函模版"
expect_file share/slipdesk/SlipdeskPosts.INI
# Nothing of the build tree or the tests leaks in.
if grep -E '_tests$|\.a$|/include/|CMake' <<<"$contents"; then
  fail "package holds build or test files"
fi

# --- control fields -------------------------------------------------------
[ "$(dpkg-deb -f "$deb" Package)" = slipdesk ] || fail "Package is not slipdesk"
depends=$(dpkg-deb -f "$deb" Depends)
suggests=$(dpkg-deb -f "$deb" Suggests)
echo "Depends: $depends"
echo "Suggests: $suggests"
# Names only: "a (>= 1), b | c" -> a b c
names() { tr ',|' '\n' <<<"$1" | sed -e 's/(.*)//' -e 's/\[.*\]//' -e 's/:any$//' -e 's/^ *//' -e 's/ *$//' | sed '/^$/d'; }
dep_names=$(names "$depends")
for required in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libxlsxwriter4 libzint2.11 fonts-wqy-microhei; do
  grep -qxF "$required" <<<"$dep_names" || fail "Depends lacks $required"
done
while read -r name; do
  # A Debian package name, of a package this Debian knows; no build-only ones.
  [[ $name =~ ^[a-z0-9][a-z0-9+.-]+$ ]] || fail "Depends holds '$name', not a package name"
  case $name in
    *-dev | *-dev-bin | libreoffice*) fail "Depends holds $name" ;;
  esac
  dpkg-query -W "$name" >/dev/null 2>&1 || apt-cache show "$name" >/dev/null 2>&1 ||
    fail "Depends holds $name, which this system does not know"
done <<<"$dep_names"
grep -qxF libreoffice-calc-nogui <<<"$(names "$suggests")" || fail "Suggests lacks libreoffice-calc-nogui"

# --- unpacked and run -----------------------------------------------------
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
desktop="$root/usr/share/applications/slipdesk.desktop"
grep -qx 'Exec=slipdesk' "$desktop" || fail "desktop entry does not start slipdesk"
grep -qx 'Icon=slipdesk' "$desktop" || fail "desktop entry does not name the icon"
grep -q '^Categories=.*Office;' "$desktop" || fail "desktop entry is not in Office"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop entry does not validate"
fi

# The scratch root's bin folder is writable for root, and made read-only
# for anybody else: an installed program must use the user's data folder
# either way, and leave its own folders alone.
home="$scratch/home"
mkdir -p "$home"
chmod a-w "$root/usr/bin"
before=$(cd "$root" && find . | sort)
set +e
where=$(env -u XDG_DATA_HOME -u SLIPDESK_DATA HOME="$home" "$root/usr/bin/slipdesk-cli" where 2>"$scratch/where.err")
status=$?
set -e
expected="$home/.local/share/slipdesk/"
if [ $status -ne 0 ]; then
  cat "$scratch/where.err" >&2
  fail "slipdesk-cli where exited with $status"
elif [ "$where" != "$expected" ]; then
  fail "slipdesk-cli where printed '$where', expected '$expected'"
fi
for picture in "$source/sample/用户信函模版"/*; do
  name=$(basename "$picture")
  cmp -s "$picture" "$expected/用户信函模版/$name" || fail "first start did not copy the sample $name"
  [ -w "$expected/用户信函模版/$name" ] || fail "the copied sample $name is not writable"
done

# The window program starts from there too (off-screen, a picture of its
# window, then it ends). Its temporary and runtime folders lie outside the
# scratch root: a program started from the temporary folder refuses to run,
# and the single-instance lock must not meet another test's.
mkdir -p "$scratch/tmp" "$scratch/runtime"
chmod 700 "$scratch/runtime"
set +e
env -u XDG_DATA_HOME -u SLIPDESK_DATA HOME="$home" TMPDIR="$scratch/tmp" XDG_RUNTIME_DIR="$scratch/runtime" \
  QT_QPA_PLATFORM=offscreen timeout 60 "$root/usr/bin/slipdesk" --screenshot "$scratch/window.png" \
  >"$scratch/window.log" 2>&1
status=$?
set -e
if [ $status -ne 0 ] || [ ! -s "$scratch/window.png" ]; then
  cat "$scratch/window.log" >&2
  fail "installed slipdesk did not start (exit $status)"
fi
[ -f "$expected/SlipdeskPosts.INI" ] || fail "installed slipdesk did not keep its settings in $expected"
# The sample settings list the sample label template after the default one.
iconv -f GB18030 -t UTF-8 "$expected/SlipdeskPosts.INI" | tr -d '\r' | grep -qx '模版2=电子面单标签100x150' ||
  fail "the first start's template list does not name the sample label template"

[ "$(cd "$root" && find . | sort)" = "$before" ] || fail "the installed programs wrote into their own folders"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package checks passed"
