#!/usr/bin/env bash
# Makes the Debian package in BUILD_DIR with CPack and checks that it holds
# the programs, their manual pages, the desktop entry, the icon and the
# AppStream metadata under the component id, the screenshot, the copyright and
# changelog, the Python module and the script that clears its compiled files,
# and that it depends on Qt's SVG plugin as well as on the libraries found by
# dpkg-shlibdeps. Unpacks it into UNPACK_DIR (its control files in DEBIAN)
# for the checks that follow, and prints the package's path last.
# Usage: check_package.sh BUILD_DIR UNPACK_DIR
set -euo pipefail
readonly build="$1" unpacked="$2"
cd "$build"
cpack -G DEB >/dev/null
readonly package="$(ls -t velmoro_1.00_*.deb | head -n 1)"
listing="$(dpkg-deb -c "$package" | awk '{print $6}')"
status=0
for path in usr/bin/velmoro usr/bin/velmoro-cli \
            usr/share/man/man1/velmoro.1.gz usr/share/man/man1/velmoro-cli.1.gz \
            usr/share/applications/io.github.velmoro.Velmoro.desktop \
            usr/share/icons/hicolor/scalable/apps/io.github.velmoro.Velmoro.svg \
            usr/share/metainfo/io.github.velmoro.Velmoro.metainfo.xml \
            usr/share/velmoro/velmoro-window.png \
            usr/share/doc/velmoro/copyright usr/share/doc/velmoro/changelog.gz \
            usr/lib/python3/dist-packages/velmoro/__init__.py \
            usr/lib/python3/dist-packages/velmoro/__init__.pyi \
            usr/lib/python3/dist-packages/velmoro/py.typed \
            'usr/lib/python3/dist-packages/velmoro/_velmoro.cpython-311-*.so'; do
  pattern="$(sed 's/\./\\./g; s/\*/.*/g' <<<"$path")"
  if ! grep -qx "\./$pattern" <<<"$listing"; then
    echo "check_package: $package lacks $path" >&2
    status=1
  fi
done
depends="$(dpkg-deb -f "$package" Depends)"
# libc6 comes only from dpkg-shlibdeps, libqt6svg6 only from the package's own list.
for dependency in libc6 libqt6svg6; do
  if ! grep -Eq "(^|, )$dependency( |,|$)" <<<"$depends"; then
    echo "check_package: $package does not depend on $dependency: $depends" >&2
    status=1
  fi
done
rm -rf "$unpacked"
dpkg-deb -R "$package" "$unpacked"
if [[ ! -x "$unpacked/DEBIAN/prerm" ]]; then
  echo "check_package: $package has no prerm script" >&2
  status=1
fi
echo "$build/$package"
exit "$status"
