#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it as a user would: every file lands
# below the prefix, the menu entry and the manual pages pass their checkers, and the
# installed kinloom converts the bundled sample from another folder while the source and
# build folders are hidden from it.
#   installed_tree_test.sh BUILD_DIR SOURCE_DIR WITH_GUI(0|1)
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
gui=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log" >&2
  exit 1
}

# What was installed, and where.
while IFS= read -r file; do
  [[ $file == "$prefix"/* ]] || fail "installed outside the prefix: $file"
done <"$build/install_manifest.txt"
expected=(bin/kinloom share/man/man1/kinloom.1.gz share/bash-completion/completions/kinloom
  share/doc/kinloom/README.md share/doc/kinloom/copyright share/doc/kinloom/changelog.gz)
if [ "$gui" = 1 ]; then
  expected+=(bin/kinloom-gui share/man/man1/kinloom-gui.1.gz share/applications/kinloom.desktop
    share/icons/hicolor/48x48/apps/kinloom.png share/icons/hicolor/scalable/apps/kinloom.svg)
fi
for file in "${expected[@]}"; do
  grep -qxF "$prefix/$file" "$build/install_manifest.txt" || fail "not installed: $file"
done
# Every picture the installed README shows is installed beside it.
for picture in $(grep -o 'docs/[A-Za-z0-9_.-]*\.png' "$prefix/share/doc/kinloom/README.md" | sort -u); do
  [ -f "$prefix/share/doc/kinloom/$picture" ] || fail "README picture not installed: $picture"
done

# The manual pages: found by man below the prefix, and formatted without a warning.
for page in "$prefix"/share/man/man1/*.1.gz; do
  name=$(basename "$page" .1.gz)
  [ "$(MANPATH="$prefix/share/man" man -w "$name")" = "$page" ] || fail "man does not find $name"
  if ! MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$work/page.txt" 2>"$work/warnings.txt"; then
    fail "man -l $name failed"
  fi
  [ -s "$work/warnings.txt" ] && fail "man -l $name warns: $(cat "$work/warnings.txt")"
  grep -q '^NAME' "$work/page.txt" || fail "$name has no NAME section"
done

# The menu entry and its icon.
if [ "$gui" = 1 ]; then
  entry=$prefix/share/applications/kinloom.desktop
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
  grep -qxF "Exec=\"$prefix/bin/kinloom-gui\"" "$entry" || fail "Exec is not the installed program: $(grep ^Exec "$entry")"
  grep -qxF "Icon=kinloom" "$entry" || fail "Icon is not the theme's kinloom"
  # width and height of the PNG header
  size=$(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/48x48/apps/kinloom.png" | tr -s ' ')
  [ "$size" = " 0 0 0 48 0 0 0 48" ] || fail "the 48x48 icon measures $size"
fi

# The installed programs, run from another folder with the source and build folders out of
# sight (a private mount namespace lays an empty folder over them).
mkdir -p "$work/elsewhere" "$work/home" "$work/expected"
cp "$source/examples/sample.ged" "$work/elsewhere/"
cp "$source"/resources/images/*.gif "$work/expected/"
cat >"$work/run.sh" <<'RUN'
set -u
for hidden in "$@"; do
  mount -t tmpfs none "$hidden" 2>/dev/null || true
done
if [ $# -gt 0 ] && [ -e "$1/CMakeLists.txt" ]; then
  echo "the source folder is still visible" >&2
  exit 99
fi
cd "$WORK/elsewhere"
env -i HOME="$WORK/home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$PREFIX/bin/kinloom" --version >version.txt
env -i HOME="$WORK/home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$PREFIX/bin/kinloom" sample.ged site </dev/null 2>run.log
RUN
hide=("$source")
[[ $build == "$source"/* ]] || hide+=("$build")
status=0
if unshare -rm true 2>/dev/null; then
  WORK=$work PREFIX=$prefix unshare -rm bash "$work/run.sh" "${hide[@]}" || status=$?
else
  echo "note: no private mount namespace here; the source folder stays visible" >&2
  WORK=$work PREFIX=$prefix bash "$work/run.sh" || status=$?
fi
[ $status -eq 0 ] || fail "the installed kinloom exited with $status: $(tail -3 "$work/elsewhere/run.log")"
[ "$(cat "$work/elsewhere/version.txt")" = "KINLOOM© 2.52" ] || fail "--version printed $(cat "$work/elsewhere/version.txt")"
site=$work/elsewhere/site
[ -f "$site/index.htm" ] || fail "no index.htm in the site"
# labels from the program's own tables, and a family group page reached from its index
grep -q 'List of Surnames (Grouped by Family)' "$site/c.htm" 2>/dev/null ||
  fail "c.htm lacks its English title"
grep -q 'href="f_0.htm' "$site/b_h.htm" 2>/dev/null || fail "b_h.htm does not link f_0.htm"
for image in "$site"/q*.gif; do
  cmp -s "$image" "$work/expected/$(basename "$image")" || fail "$(basename "$image") differs from the program's image"
done
[ "$(ls "$site"/q*.gif | wc -l)" -ge 10 ] || fail "the site has too few images"
if [ "$gui" = 1 ]; then
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/kinloom-gui" --version)" = "KINLOOM© 2.52" ] ||
    fail "the installed kinloom-gui --version"
fi

[ $failures -eq 0 ] || exit 1
echo "installed tree: all checks passed"
