#!/usr/bin/env bash
# The installed program, as a user has it: installs the default build into a
# scratch prefix, moves the build tree away and runs the installed program from
# another directory. Then, where this machine allows it, builds the Debian
# package, installs it with apt-get, runs it as a user who cannot write its
# directory and removes it again.
#   tests/install/check_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/install/installed_run.sh
. "$here/installed_run.sh"

scratch=$(mktemp -d)
chmod 755 "$scratch"
moved=""
cleanup() {
  [ -n "$moved" ] && mv "$moved" "$build"
  rm -rf "$scratch"
}
trap cleanup EXIT

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
program_dir=$prefix/lib/lanyinbao

# Every binary finds its libraries through $ORIGIN alone.
while IFS= read -r -d '' file; do
  head -c 4 "$file" | grep -q $'\x7fELF' || continue
  paths=$(readelf -d "$file" | sed -n 's/.*(R\(UN\)\?PATH).*\[\(.*\)\]/\2/p')
  [ -z "$paths" ] || [ "$paths" = '$ORIGIN' ] ||
    fail "${file#"$prefix"/} looks for libraries in $paths"
done < <(find "$prefix" -type f -print0)
say "RUNPATH: \$ORIGIN only"

[ "$(readlink "$prefix/bin/lanyinbao")" = ../lib/lanyinbao/lanyinbao ] ||
  fail "bin/lanyinbao does not link to the program directory"
cmp -s <("$prefix/bin/lyb-image-dump" "$program_dir/lanyinbao") \
  <("$prefix/bin/lyb-image-dump" "$build/generated/image/lanyinbao_image.bin") ||
  fail "the dump of the installed program file differs from the dump of the built image"
say "the dump tool reads the installed program file as the built image"

# Nothing may need the build tree any more.
mv "$build" "$build.away"
moved=$build.away
run_closed "$prefix/bin/lanyinbao" "$scratch" || fail "the installed program did not start and end"
say "the installed program runs with the build tree moved away"
mv "$moved" "$build"
moved=""

check_overlay "$prefix/bin/lanyinbao" "$program_dir"

# The Debian package, installed and removed for real.
if ! command -v dpkg-deb >/dev/null || ! command -v apt-get >/dev/null || [ "$(id -u)" -ne 0 ]; then
  say "SKIP: the package test needs dpkg-deb, apt-get and root"
  exit 0
fi
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/lanyinbao_*_amd64.deb)
diff <(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./usr|.|; /\/$/d' | sort) \
  <(cd "$prefix" && find . \( -type f -o -type l \) | sort) >/dev/null ||
  fail "the package's files differ from the install tree"
say "$(basename "$deb"): the same files as the install tree; Depends: $(dpkg-deb -f "$deb" Depends)"
if dpkg-query -W -f='${Status}' lanyinbao 2>/dev/null | grep -q 'install ok installed'; then
  say "SKIP: a lanyinbao package is already installed on this machine; not touching it"
  exit 0
fi
apt-get install -y -qq "$deb" >/dev/null 2>&1 || fail "apt-get could not install $deb"
installed_files=$(dpkg -L lanyinbao)
desktop-file-validate /usr/share/applications/local.lanyinbao.client.desktop ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net /usr/share/metainfo/local.lanyinbao.client.metainfo.xml >/dev/null ||
  fail "the AppStream metainfo does not validate"
run_closed /usr/bin/lanyinbao "$scratch" || fail "the packaged program did not start and end"
check_overlay /usr/bin/lanyinbao /usr/lib/lanyinbao
apt-get remove -y -qq lanyinbao >/dev/null 2>&1 || fail "apt-get could not remove the package"
left=""
while IFS= read -r path; do
  [ -f "$path" ] || [ -L "$path" ] && left+="$path "
done <<<"$installed_files"
[ -z "$left" ] || fail "left behind after removal: $left"
[ ! -e /usr/lib/lanyinbao ] || fail "the program directory is left behind after removal"
say "the package installs, runs, and removes without leaving a file"
