#!/usr/bin/env bash
# Compiles the zoneinfo fixture of the time tests (tzdata.zi beside this script) with zic.
set -euo pipefail
dir="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$dir/Test" "$dir/Etc" "$dir/UTC"
zic -b fat -d "$dir" "$dir/tzdata.zi"
# Links as plain copies, so that the fixture does not depend on how the checkout keeps links.
for link in UTC Test/Alias; do
    if [ -L "$dir/$link" ]; then
        cp --remove-destination "$(readlink -f "$dir/$link")" "$dir/$link"
    fi
done
