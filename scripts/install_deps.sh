#!/usr/bin/env bash
# Installs whatever of the build, test and run dependencies is missing (Debian 12).
# Runs apt-get as root, or through sudo when started by another user.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev fonts-liberation fontconfig
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils
    x11-apps  # xclock: the reference client of scripts/measure_idle.sh
    python3  # the Xvfb checks speak to libX11 through it (a close request, a window manager)
    qt6-qpa-plugins  # the xcb and offscreen platforms the programs start on
    libqt6svg6  # draws the icon built into the clock where the theme has none
    qt6-translations-l10n  # Qt's own texts in German (qtbase_de): colour chooser, menus
    librsvg2-bin  # rsvg-convert renders the icon's PNG sizes from its SVG at build time
    # checks of the installed desktop files and the Debian package
    desktop-file-utils appstream man-db groff-base dpkg-dev file lintian
    libical-dev  # the almanac writes a crew's shifts as an iCalendar file
    python3-icalendar  # an independent parser reads that file back in the tests
    weston qt6-wayland  # the clock checked natively under a headless Wayland compositor
    # the clock and the dialog read through a real accessibility bus
    dbus at-spi2-core python3-pyatspi
    python3-dbusmock  # a notification server on a private bus for the reminders' test
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "Missing packages (${missing[*]}) and neither root nor sudo to install them." >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
# On a fresh machine the package lists are empty until the first update.
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
