#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Разработчики Vibrona
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian 12 packages that building, running and testing need.
# Quick when everything is already there: apt is only called for what is missing.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n
  libqcustomplot-dev libqcustomplot2.1-qt6
  libfftw3-dev libuemf-dev libsndfile1-dev libeigen3-dev
  libgtest-dev libbenchmark-dev
  locales xvfb xauth xdotool imagemagick openbox fonts-dejavu-core fonts-wine
  desktop-file-utils appstream dpkg-dev poppler-utils reuse
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests pin a Russian locale; make sure the C library knows it too.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf8$'; then
  if [ -f /etc/locale.gen ]; then
    $SUDO sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/; s/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    $SUDO locale-gen >/dev/null
  fi
fi
