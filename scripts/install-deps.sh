#!/usr/bin/env bash
# Installs the Debian packages the game needs: "build" to build and play,
# "package" to build the .deb (packaging/deb.sh), "test" for everything the
# test command runs. Does nothing when they are all present; uses sudo when
# not root.
set -euo pipefail

build=(cmake g++ make pkg-config liballegro4-dev libdumb1-dev libaldmb1-dev)
test=(libgtest-dev xvfb xdotool x11-apps x11-utils openmpt123 sox python3
      clang libclang-rt-14-dev libbenchmark-dev desktop-file-utils)
# dpkg-shlibdeps (in dpkg-dev) computes the package's Depends; CPack finds
# the binaries to ask it about with file.
package=(dpkg-dev file)
check=(lintian appstream man-db)

case "${1:-build}" in
  build) wanted=("${build[@]}") ;;
  package) wanted=("${build[@]}" "${package[@]}") ;;
  test)  wanted=("${build[@]}" "${test[@]}" "${package[@]}" "${check[@]}") ;;
  *) echo "usage: $0 [build|package|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
