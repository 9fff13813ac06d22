#!/usr/bin/env bash
# Makes the Debian package in BUILD_DIR with CPack and checks that it holds
# the programs, their manual pages, the desktop entry, the icon, the AppStream
# metadata and its screenshot, the copyright and changelog, and the Python
# module. Prints the package's path last.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
readonly build="$1"
cd "$build"
cpack -G DEB >/dev/null
readonly package="$(ls -t velmoro_1.00_*.deb | head -n 1)"
listing="$(dpkg-deb -c "$package" | awk '{print $6}')"
status=0
for path in usr/bin/velmoro usr/bin/velmoro-cli \
            usr/share/man/man1/velmoro.1.gz usr/share/man/man1/velmoro-cli.1.gz \
            usr/share/applications/velmoro.desktop \
            usr/share/icons/hicolor/scalable/apps/velmoro.svg \
            usr/share/metainfo/velmoro.metainfo.xml usr/share/velmoro/velmoro-window.png \
            usr/share/doc/velmoro/copyright usr/share/doc/velmoro/changelog.gz \
            usr/lib/python3.11/dist-packages/velmoro/__init__.py \
            usr/lib/python3.11/dist-packages/velmoro/__init__.pyi \
            usr/lib/python3.11/dist-packages/velmoro/py.typed \
            'usr/lib/python3.11/dist-packages/velmoro/_velmoro.cpython-311-*.so'; do
  pattern="$(sed 's/\./\\./g; s/\*/.*/g' <<<"$path")"
  if ! grep -qx "\./$pattern" <<<"$listing"; then
    echo "check_package: $package lacks $path" >&2
    status=1
  fi
done
if dpkg-deb -f "$package" Depends | grep -q .; then :; else
  echo "check_package: $package has no Depends from dpkg-shlibdeps" >&2
  status=1
fi
echo "$build/$package"
exit "$status"
