#!/usr/bin/env bash
# The Debian package as an administrator meets it: built by cpack from this
# build, judged by lintian, installed by dpkg into a throw-away root, the
# installed program started from there, and removed again without a trace.
source "$(dirname "$0")/common.sh"
need cpack dpkg dpkg-deb dpkg-shlibdeps lintian

cpack --config "$NUV_BUILD/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$scratch/cpack.log")"
deb=$(find "$scratch/package" -maxdepth 1 -name "nuv_${NUV_VERSION}_$(dpkg --print-architecture).deb")
[[ -n $deb ]] || fail "no nuv_${NUV_VERSION}_<arch>.deb in: $(ls "$scratch/package")"

# No maintainer scripts: the triggers of the desktop's caches do their work.
dpkg-deb --control "$deb" "$scratch/control"
for script in preinst postinst prerm postrm config triggers; do
  [[ ! -e $scratch/control/$script ]] || fail "the package has a $script script"
done
depends=$(dpkg-deb --field "$deb" Depends)
for runtime in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
  [[ $depends == *"$runtime "* ]] || fail "Depends lacks $runtime: $depends"
done
[[ $depends != *-dev* ]] || fail "Depends names a development package: $depends"

lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 || fail "lintian: $(cat "$scratch/lintian.log")"

# Installed into a root of its own: dpkg keeps its database there, and the
# package's dependencies are the host's.
root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg --root="$root" --force-depends --force-not-root --install "$deb" >"$scratch/dpkg.log" 2>&1 ||
  fail "dpkg --install: $(cat "$scratch/dpkg.log")"
usr=$root/usr

# The loader expands the installed RUNPATH to the folder that holds the library.
# (Without a display the program stops at once, after the loader's work.)
LD_DEBUG=libs env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/nuv" >/dev/null 2>"$scratch/loader.log" || true
grep -F "search path=" "$scratch/loader.log" | grep -q -F "$usr/bin/../lib/nuv" && [[ -f $usr/bin/../lib/nuv/libtavo.so ]] ||
  fail "the installed nuv does not look for its library where it lies"
[[ -f $usr/bin/../share/nuv/nuv_help.hlp ]] || fail "no help file in share/nuv beside the installed program"

# The installed program, from a folder of its own, opens an installed example.
# Start-up ends by making the program's recovery folder; a model that did not
# load would have stopped it at a message box before that.
mkdir -p "$scratch/work" "$scratch/config" "$scratch/data" "$scratch/runtime"
chmod 700 "$scratch/runtime"
(cd "$scratch/work" && QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data \
  XDG_RUNTIME_DIR=$scratch/runtime exec "$usr/bin/nuv" "$usr/share/nuv/examples/hello.nuv") \
  >"$scratch/nuv.log" 2>&1 &
pid=$!
for _ in $(seq 150); do
  [[ -n $(find "$scratch/data" -path '*recovery*' -name lock 2>/dev/null) ]] && break
  kill -0 $pid 2>/dev/null || fail "the installed nuv ended during start-up: $(cat "$scratch/nuv.log")"
  sleep 0.2
done
[[ -n $(find "$scratch/data" -path '*recovery*' -name lock) ]] || { kill $pid; fail "the installed nuv did not finish start-up"; }
kill -TERM $pid
status=0
wait $pid || status=$?
[[ $status == 143 ]] || fail "the installed nuv ended with $status on SIGTERM: $(cat "$scratch/nuv.log")"

# The installed program answers --version without a display.
[[ $(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/nuv" --version) == *"$NUV_VERSION"* ]] || fail "nuv --version does not say $NUV_VERSION"
(cd "$scratch/work" && XDG_RUNTIME_DIR=$scratch/runtime XDG_CONFIG_HOME=$scratch/config "$usr/bin/nuv-run" "$usr/share/nuv/examples/hello.nuv") >"$scratch/run.out" &&
  grep -q -F "Hello from NUV!" "$scratch/run.out" || fail "the installed nuv-run did not run hello.nuv"

dpkg --root="$root" --purge nuv >"$scratch/dpkg.log" 2>&1 || fail "dpkg --purge: $(cat "$scratch/dpkg.log")"
left=$(cd "$root" && find . -mindepth 1 -not -path './var/lib/dpkg*' -not -path ./var/lib -not -path ./var)
[[ -z $left ]] || fail "removing the package left: $left"
