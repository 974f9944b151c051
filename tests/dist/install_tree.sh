#!/usr/bin/env bash
# cmake --install into a staging folder (what `make install PREFIX=P DESTDIR=D`
# does), then the tree as the desktop meets it: every file under the prefix,
# the programs finding their library relative to themselves, an icon of each
# size, the manual page, and a .nuv file known as a NUV model that the
# desktop opens with the program.
source "$(dirname "$0")/common.sh"
need readelf file man update-mime-database update-desktop-database xdg-mime mimetype

prefix=/opt/nuv-test
DESTDIR="$scratch/dest" cmake --install "$NUV_BUILD" --prefix "$prefix" >"$scratch/install.log" ||
  fail "cmake --install: $(cat "$scratch/install.log")"
root=$scratch/dest$prefix

outside=$(cd "$scratch/dest" && find . -mindepth 1 \( -type f -o -type l \) -not -path ".$prefix/*")
[[ -z $outside ]] || fail "installed outside the prefix: $outside"

for file in lib/nuv/libtavo.so share/nuv/nuv_help.hlp share/nuv/nuv_keywords.txt share/nuv/examples/hello.nuv \
    "share/applications/$NUV_APP_ID.desktop" "share/metainfo/$NUV_APP_ID.metainfo.xml" \
    "share/mime/packages/$NUV_APP_ID.xml" share/man/man1/nuv.1.gz \
    share/doc/nuv/copyright share/doc/nuv/changelog.gz; do
  [[ -f $root/$file ]] || fail "not installed: $file"
done

# Each program loads the library from lib/nuv beside its own bin/, wherever the
# tree lies, and never from the build tree.
for program in $NUV_PROGRAMS; do
  [[ -x $root/bin/$program ]] || fail "not installed: bin/$program"
  runpath=$(readelf -d "$root/bin/$program" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
  [[ $runpath == '$ORIGIN:$ORIGIN/../lib/nuv' ]] || fail "RUNPATH of $program is '$runpath'"
done

for size in 16 22 24 32 48 64 128 256; do
  for icon in "apps/$NUV_APP_ID" mimetypes/text-x-nuv; do
    png=$root/share/icons/hicolor/${size}x${size}/$icon.png
    [[ -f $png ]] || fail "no icon ${size}x${size}/$icon.png"
    [[ $(file -b "$png") == "PNG image data, $size x $size, "* ]] || fail "$png: $(file -b "$png")"
  done
done

# man nuv, as a person types it with the installed pages on MANPATH.
page=$(MANPATH=$root/share/man MANWIDTH=80 man --warnings nuv 2>"$scratch/man.err") || fail "man nuv failed"
[[ ! -s $scratch/man.err ]] || fail "man nuv: $(cat "$scratch/man.err")"
for section in NAME SYNOPSIS FILES ENVIRONMENT "EXIT STATUS" _nuv_.cfg nuv.ini recovery; do
  grep -q -F -- "$section" <<<"$page" || fail "man nuv says nothing of $section"
done

# The desktop's view, with nothing of the user's own: the installed tree is a
# system data folder, the user's is empty.
export XDG_DATA_HOME=$scratch/home/.local/share XDG_CONFIG_HOME=$scratch/home/.config
export XDG_DATA_DIRS=$root/share XDG_CURRENT_DESKTOP=X-Generic
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$scratch/files"
update-mime-database "$root/share/mime"
update-desktop-database "$root/share/applications"
printf 'print "a";\r\n' >"$scratch/files/model.nuv"
printf 'print "a";\r\n' >"$scratch/files/model.prp"
[[ $(xdg-mime query filetype "$scratch/files/model.nuv") == text/x-nuv ]] ||
  fail "a .nuv file is $(xdg-mime query filetype "$scratch/files/model.nuv")"
[[ $(xdg-mime query filetype "$scratch/files/model.prp") == text/x-nuv-listing ]] ||
  fail "a .prp file is $(xdg-mime query filetype "$scratch/files/model.prp")"
[[ $(mimetype --brief --describe "$scratch/files/model.nuv") == "NUV model" ]] ||
  fail "a .nuv file is described as $(mimetype --brief --describe "$scratch/files/model.nuv")"
for type in text/x-nuv text/x-nuv-listing; do
  [[ $(xdg-mime query default $type) == "$NUV_APP_ID.desktop" ]] ||
    fail "$type opens with '$(xdg-mime query default $type)'"
done
