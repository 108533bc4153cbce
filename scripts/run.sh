#!/usr/bin/env bash
# Builds the program, installs it into its own folder, adds it to the desktop's menu and starts
# it. The folder is $ZELT_HOME, by default ~/ZeltManagement; the operator's data lives beside the
# program there (data, addinfo, comm, output, backcopies), so a rebuild never touches it.
# --install-only installs and registers the program without starting it.
set -euo pipefail
cd "$(dirname "$0")/.."

start=1
[ "${1:-}" = "--install-only" ] && start=0

scripts/setup.sh
prefix="${ZELT_HOME:-$HOME/ZeltManagement}"
mkdir -p "$prefix"
prefix="$(cd "$prefix" && pwd)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELT_BUILD_TESTS=OFF > /dev/null
cmake --build build --target zelt
cmake --install build --prefix "$prefix" > /dev/null

# The menu entry and its icon, for this user.
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
app_id=zelt-management-system
mkdir -p "$data_home/applications" "$data_home/icons/hicolor/scalable/apps"
cp resources/zelt.svg "$data_home/icons/hicolor/scalable/apps/$app_id.svg"
cat > "$data_home/applications/$app_id.desktop" <<EOF
[Desktop Entry]
Type=Application
Version=1.0
Name=Zelt Management System
GenericName=Affiliate program records
Comment=Members, payment schemes, sales, payments and communications of an affiliate program
Exec="$prefix/zelt"
Path=$prefix
Icon=$app_id
Terminal=false
Categories=Office;Finance;Qt;
StartupWMClass=zelt
EOF
if command -v update-desktop-database > /dev/null; then
    update-desktop-database -q "$data_home/applications" || true
fi
if command -v gtk-update-icon-cache > /dev/null; then
    gtk-update-icon-cache -q -t "$data_home/icons/hicolor" || true
fi

echo "Installed into $prefix; menu entry $data_home/applications/$app_id.desktop"
[ "$start" -eq 1 ] || exit 0
exec "$prefix/zelt"
