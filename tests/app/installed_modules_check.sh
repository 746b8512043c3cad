#!/bin/sh
# The program as it is installed: the build installed into a throwaway prefix, whose program
# finds its private library there and loads each module from there, and refuses, without
# loading it, a module of another build put in the editor's place.
# usage: installed_modules_check.sh BUILD_DIR FOREIGN_MODULE
set -eu
build=$1
foreign=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-installed-modules.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
    echo "installed_modules_check: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$work/usr" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$work/install.log")"
program=$work/usr/bin/velmora
private=$(find "$work/usr" -name libvelmora_private.so)
[ -n "$private" ] || fail "no libvelmora_private.so was installed"
modules=$(dirname "$private")

# The installed program's own library, not the build tree's.
found=$(ldd "$program" | sed -n 's/^[[:space:]]*libvelmora_private\.so => \([^ ]*\) .*/\1/p')
[ -n "$found" ] && [ "$(realpath "$found")" = "$(realpath "$private")" ] ||
    fail "the installed program does not find $private but '$found'"

export LC_ALL=C VELMORA_FOREIGN_MODULE_MARK="$work/foreign-module-loaded"
report=$("$program" --check-modules) || fail "velmora --check-modules failed: $report"
for module in velmora_editor velmora_planner velmora_wayland velmora_chime; do
    echo "$report" | grep -qx "$module: $modules/lib$module.so" ||
        fail "$module was not loaded from $modules: $report"
done

cp "$foreign" "$modules/libvelmora_editor.so"
if report=$("$program" --check-modules); then
    fail "a module of another build was accepted: $report"
fi
echo "$report" | grep -q "^velmora_editor: cannot be used: $modules/libvelmora_editor.so is of another build" ||
    fail "the foreign module was not refused as one of another build: $report"
echo "$report" | grep -qx "velmora_chime: $modules/libvelmora_chime.so" ||
    fail "the other modules suffered from the foreign one: $report"
[ ! -e "$VELMORA_FOREIGN_MODULE_MARK" ] || fail "the foreign module's code ran"
echo "installed_modules_check: passed"
