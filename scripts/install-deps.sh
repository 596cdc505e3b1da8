#!/bin/sh
# Installs, with apt-get, whatever Debian 12 packages the build and the tests
# need and the machine lacks. Quiet and quick when everything is present.
set -eu

PACKAGES="
build-essential cmake ninja-build pkg-config
qt6-base-dev
libjpeg62-turbo-dev libpng-dev libgif-dev libtiff-dev zlib1g-dev libexif-dev libdeflate-dev
libgtest-dev libgmock-dev libbenchmark-dev
fonts-wqy-microhei
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
