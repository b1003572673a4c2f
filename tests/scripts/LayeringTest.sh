#!/usr/bin/env bash
# The three layers stay apart, and a file's path tells its layer:
# - src/ui/: the window layer; it includes only its own headers, the text helpers (core/Text.h) and
#   the scope-exit helper (core/ScopeExit.h), which know nothing of the product;
# - src/<subsystem>/win32/: the Win32 shell, which may include anything;
# - every other file of src/core, src/menus, src/organize and src/settings: the portable core, which
#   never includes a Win32 header, a window-layer header or a header of the shell.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
src=$root/src
failed=0

quoted_includes() { grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+"' "$1" | sed -E 's/.*"([^"]+)"/\1/'; }
fail() { echo "$1"; failed=1; }

for file in "$src"/*.*; do
  [ -e "$file" ] && fail "a source file outside the layers' folders: ${file#"$root"/}"
done

portable=0
for dir in core menus organize settings; do
  while IFS= read -r file; do
    portable=$((portable + 1))
    rel=${file#"$root"/}
    if grep -qiE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](windows|winuser|winbase|shellapi|commctrl|commdlg|shlobj|winhttp|wininet|bcrypt|wincrypt)\.h[>"]' "$file"; then
      fail "the portable core includes a Win32 header: $rel"
    fi
    while read -r included; do
      case $included in
        ui/* | */win32/*) fail "the portable core includes a Win32 header of the program: $rel includes $included" ;;
      esac
    done < <(quoted_includes "$file")
  done < <(find "$src/$dir" -path '*/win32' -prune -o -type f \( -name '*.h' -o -name '*.cpp' \) -print)
done
[ "$portable" -gt 0 ] || fail "no file of the portable core found under src/"

for file in "$src"/ui/*; do
  while read -r included; do
    case $included in
      ui/* | core/Text.h | core/ScopeExit.h) ;;
      *) fail "the window layer includes a product header: ${file#"$root"/} includes $included" ;;
    esac
  done < <(quoted_includes "$file")
done

# The build agrees: the portable core's library names no file of the other layers.
if sed -n '/^add_library(QuorvaneCore/,/^)/p' "$root/CMakeLists.txt" | grep -qE 'src/(ui/|[^ )]*/win32/)'; then
  fail "QuorvaneCore in CMakeLists.txt builds a file of the window layer or the shell"
fi
exit $failed
