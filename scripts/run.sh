#!/usr/bin/env bash
# Builds the program, installs it into its own folder and starts it.
# The folder is $ZELT_HOME, by default ~/ZeltManagement; the operator's data lives beside the
# program there (data, addinfo, comm, output, backcopies), so a rebuild never touches it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
prefix="${ZELT_HOME:-$HOME/ZeltManagement}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELT_BUILD_TESTS=OFF > /dev/null
cmake --build build --target zelt
cmake --install build --prefix "$prefix" > /dev/null
echo "Installed into $prefix"
exec "$prefix/zelt"
