#!/usr/bin/env bash
# The three layers stay apart. The portable core (the QuorvaneCore library of CMakeLists.txt and
# every header it includes) never includes a Win32 header; the window layer (src/ui) includes only
# its own headers, the text helpers (core/Text.h) and the scope-exit helper (core/ScopeExit.h),
# which know nothing of the product, never a header of the product.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
src=$root/src
failed=0

quoted_includes() { grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+"' "$1" | sed -E 's/.*"([^"]+)"/\1/'; }

mapfile -t pending < <(sed -n '/^add_library(QuorvaneCore/,/^)/p' "$root/CMakeLists.txt" | grep -oE 'src/[^ )]+' |
                       sed 's|^src/||')
if [ ${#pending[@]} -eq 0 ]; then
  echo "no sources of QuorvaneCore found in CMakeLists.txt"
  exit 1
fi
declare -A seen
while [ ${#pending[@]} -gt 0 ]; do
  file=${pending[0]}
  pending=("${pending[@]:1}")
  [ -n "${seen[$file]:-}" ] && continue
  seen[$file]=1
  [ -f "$src/$file" ] || continue
  if grep -qiE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](windows|winuser|shellapi|commctrl|shlobj)\.h[>"]' \
       "$src/$file"; then
    echo "the portable core includes a Win32 header: src/$file"
    failed=1
  fi
  while read -r included; do pending+=("$included"); done < <(quoted_includes "$src/$file")
done

for file in "$src"/ui/*; do
  while read -r included; do
    case $included in
      ui/* | core/Text.h | core/ScopeExit.h) ;;
      *)
        echo "the window layer includes a product header: ${file#"$root"/} includes $included"
        failed=1
        ;;
    esac
  done < <(quoted_includes "$file")
done
exit $failed
