#!/usr/bin/env bash
# Builds the Debian package of Tellumo and checks that it installs here.
#
#   bash scripts/package.sh                  # build, then install-check (root)
#   bash scripts/package.sh --build-only     # build the package only
#
# The package is build/package/tellumo_<version>_<arch>.deb, made by CPack
# from the project's install rules (packaging/Package.cmake). Its library
# dependencies come from dpkg-shlibdeps (dpkg-dev); the Japanese fonts are
# named in packaging/Package.cmake.
#
# The install check needs root and apt: it installs the package with
# `apt-get install ./tellumo_*.deb` (which pulls in missing dependencies),
# lists its files with `dpkg -L`, runs the installed program far enough to
# prove every library it needs loads, and removes the package again. It
# refuses to run when a tellumo package is already installed, so it never
# replaces or removes one it did not install.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

install_check=1
case "${1:-}" in
    --build-only) install_check=0 ;;
    "") ;;
    *) echo "usage: $0 [--build-only]" >&2; exit 2 ;;
esac

bash scripts/bootstrap.sh
build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTELLUMO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2
rm -f "$build"/tellumo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tellumo_*.deb)
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
dpkg-deb --contents "$deb" | awk '{print "  " $6}'
if command -v lintian >/dev/null; then
    lintian "$deb" || true
fi

((install_check)) || exit 0

if [[ $(id -u) -ne 0 ]]; then
    echo "package.sh: the install check needs root (or run with --build-only)" >&2
    exit 1
fi
if dpkg-query -W -f='${db:Status-Status}' tellumo 2>/dev/null | grep -qx installed; then
    echo "package.sh: a tellumo package is already installed; not touching it" >&2
    exit 1
fi

# apt waits up to two minutes for another package operation to finish.
apt=(apt-get -y -qq -o DPkg::Lock::Timeout=120)
remove() {
    if dpkg-query -W -f='${db:Status-Status}' tellumo 2>/dev/null | grep -qx installed; then
        "${apt[@]}" remove tellumo >/dev/null
    fi
}
trap remove EXIT
export DEBIAN_FRONTEND=noninteractive
"${apt[@]}" install "./$deb" >/dev/null
echo "installed files (dpkg -L tellumo):"
dpkg -L tellumo | sed 's/^/  /'

status=0
for f in /usr/bin/tellumo \
         /usr/share/applications/io.github.tellumo.Tellumo.desktop \
         /usr/share/metainfo/io.github.tellumo.Tellumo.metainfo.xml \
         /usr/share/icons/hicolor/32x32/apps/tellumo.png \
         /usr/share/icons/hicolor/256x256/apps/tellumo.png \
         /usr/share/icons/hicolor/scalable/apps/tellumo.svg \
         /usr/share/doc/tellumo/copyright \
         /usr/share/man/man1/tellumo.1.gz; do
    [[ -s $f ]] || { echo "missing after install: $f" >&2; status=1; }
done
# Without a display the program stops at once with its own message; getting
# that far means the loader resolved every library it links.
if out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/tellumo 2>&1); then
    echo "tellumo ran without a display instead of refusing" >&2; status=1
elif [[ $out != *"no display found"* ]]; then
    echo "tellumo failed to start: $out" >&2; status=1
fi
# And it renders offscreen: the splash is up after two seconds.
timeout 2 env QT_QPA_PLATFORM=offscreen /usr/bin/tellumo >/dev/null 2>&1 && rc=0 || rc=$?
if [[ $rc -ne 124 ]]; then
    echo "tellumo exited with status $rc within two seconds offscreen" >&2; status=1
fi
((status == 0)) && echo "package check: installed, complete, starts; removing it again"
exit $status
