#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Разработчики Vibrona
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into a temporary root and checks that a Linux desktop finds
# everything where it looks: usage: check-install.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
BUILD=$1 VERSION=$2 ID=$3
ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
# The prefix the build was configured for, which the manual pages name.
PREFIX=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$BUILD/CMakeCache.txt")
DESTDIR="$ROOT" cmake --install "$BUILD" >/dev/null
cd "$ROOT$PREFIX"

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in bin/vibrona bin/vibrona-batch \
         "share/applications/$ID.desktop" "share/mime/packages/$ID.xml" \
         "share/metainfo/$ID.metainfo.xml" "share/icons/hicolor/scalable/apps/$ID.svg" \
         share/man/man1/vibrona.1.gz share/man/man1/vibrona-batch.1.gz \
         share/man/ru/man1/vibrona.1.gz share/man/ru/man1/vibrona-batch.1.gz \
         share/vibrona/help.pdf; do
  [ -s "$f" ] || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
  png="share/icons/hicolor/${size}x${size}/apps/$ID.png"
  [ -s "$png" ] || fail "missing $png"
  # The PNG header holds the width and the height.
  [ "$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ' | sed 's/^ //')" = \
    "0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))" ] || fail "$png is not ${size}px"
done
grep -q '^Exec=vibrona %f$' "share/applications/$ID.desktop" || fail "Exec line"
grep -q '^MimeType=application/x-vibrona-project;$' "share/applications/$ID.desktop" || fail "MimeType"
grep -q '<glob pattern="\*.vbf"/>' "share/mime/packages/$ID.xml" || fail "glob"
grep -q "<release version=\"$VERSION\"" "share/metainfo/$ID.metainfo.xml" || fail "release version"
[ "$(env -u DISPLAY bin/vibrona --version)" = "Vibrona $VERSION" ] || fail "--version"
# The program finds its manual outside share/doc, which a system may leave out.
[ ! -e share/doc/vibrona/help.pdf ] || fail "help.pdf in share/doc"
# Every manual page names the manual where the prefix put it.
for page in share/man/man1/vibrona.1.gz share/man/ru/man1/vibrona.1.gz; do
  zgrep -q "^\.I $PREFIX/share/vibrona/help\.pdf\$" "$page" || fail "$page names no installed manual"
done

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "share/applications/$ID.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "share/metainfo/$ID.metainfo.xml" >/dev/null
fi
echo "install tree of Vibrona $VERSION is complete"
