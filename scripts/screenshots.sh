#!/usr/bin/env bash
# Renders every window in its typical states (tests/gui/test_screenshots.cpp) on a virtual X
# display with the system's fonts, and refreshes the pictures the README shows in
# docs/screenshots. All pictures are left in build-screenshots/screenshots (or the build folder
# $ZELT_BUILD_DIR names).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh xvfb xauth fonts-dejavu-core
dir="${ZELT_BUILD_DIR:-build-screenshots}"
cmake -S . -B "$dir" -G Ninja -DZELT_BUILD_TESTS=ON > /dev/null
cmake --build "$dir" --target zelt_gui_tests
rm -rf "$dir/screenshots"
ZELT_SCREENSHOT_DIR="$PWD/$dir/screenshots" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 \
    xvfb-run -a -s "-screen 0 1600x1200x24" "$dir/tests/zelt_gui_tests" ScreenshotTest > "$dir/screenshots.log" ||
    { cat "$dir/screenshots.log"; exit 1; }

mkdir -p docs/screenshots
for name in main_window members_grid sales_browsing communications_browsing schemes_browsing \
    referral_tree; do
    cp "$dir/screenshots/$name.png" docs/screenshots/
done
echo "Pictures in $dir/screenshots; the README's in docs/screenshots"
