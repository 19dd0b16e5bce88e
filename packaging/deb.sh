#!/usr/bin/env bash
# Builds the Debian package quellmarrow_<version>_<arch>.deb from this
# checkout: a Release build of its own (never a sanitizer or test build),
# with Debian's hardening flags, laid out as a Debian game under /usr and
# packed by CPack.
#   packaging/deb.sh [OUTDIR]      default OUTDIR: build-deb/ in the checkout
# The package lands in OUTDIR; OUTDIR/build holds the build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$top/build-deb}")
build="$out/build"
"$top/scripts/install-deps.sh" package

# CMake takes CXXFLAGS and LDFLAGS from the environment on the first
# configure; CPPFLAGS (_FORTIFY_SOURCE) it does not read, so it joins CXXFLAGS.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS" CFLAGS="$CFLAGS $CPPFLAGS"
rm -rf "$build"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF -DQM_SANITIZE= \
      -DQM_GAMES_LAYOUT=ON -DCMAKE_INSTALL_PREFIX=/usr \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j"${QM_JOBS:-2}" --target quellmarrow quellmarrow_icons quellmarrow_docs >/dev/null
rm -f "$out"/quellmarrow_*.deb
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
deb=$(echo "$out"/quellmarrow_*.deb)
[ -f "$deb" ] || { echo "deb.sh: cpack made no package in $out" >&2; exit 1; }
echo "$deb"
