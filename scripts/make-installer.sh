#!/usr/bin/env bash
# Makes the Windows setup program Vardeno-VERSION-win64-setup.exe from a portable folder (the
# files of the portable zip) with NSIS's makensis. The file lists and the "Open with" extensions
# (those of src/filelist/SupportedExtensions.h) are generated here, each time.
# Usage: make-installer.sh PORTABLE_DIR [OUT_DIR]   (OUT_DIR defaults to the current folder;
# VARDENO_VERSION overrides the version of CMakeLists.txt)
set -euo pipefail
[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 PORTABLE_DIR [OUT_DIR]" >&2; exit 2; }
repo=$(cd "$(dirname "$0")/.." && pwd)
portable=$(cd "$1" && pwd)
out_dir=$(mkdir -p "${2:-.}" && cd "${2:-.}" && pwd)
version=${VARDENO_VERSION:-$(bash "$repo/scripts/project-version.sh")}
command -v makensis >/dev/null || { echo "makensis is missing (bash scripts/setup-windows.sh installs it)" >&2; exit 1; }
for f in Vardeno.exe LICENSE.txt; do
  [ -f "$portable/$f" ] || { echo "$portable has no $f" >&2; exit 1; }
done

gen=$(mktemp -d)
trap 'rm -rf "$gen"' EXIT
[ -n "${VARDENO_KEEP_GENERATED:-}" ] && trap - EXIT && echo "generated includes: $gen"

# NSIS expands "$" in strings; a file name keeps its own "$" as "$$".
nsis_text() { sed 's/\$/$$/g'; }

# The files, folder by folder; the uninstaller removes exactly these, then the folders deepest first.
(cd "$portable" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$gen/files"
grep -qxi 'installed.txt\|Uninstall.exe' "$gen/files" && { echo "$portable holds a file the setup program makes itself" >&2; exit 1; }
{
  echo '!macro VardenoInstallFiles'
  last=/
  while IFS= read -r f; do
    d=$(dirname "$f"); [ "$d" = . ] && d=""
    if [ "$d" != "$last" ]; then
      printf '  SetOutPath "$INSTDIR%s"\n' "$(printf '%s' "${d:+\\$d}" | tr / '\\' | nsis_text)"
      last=$d
    fi
    printf '  File "%s"\n' "$(printf '%s' "$portable/$f" | nsis_text)"
  done <"$gen/files"
  echo '!macroend'
  echo '!macro VardenoUninstallFiles'
  while IFS= read -r f; do
    printf '  Delete "$INSTDIR\\%s"\n' "$(printf '%s' "$f" | tr / '\\' | nsis_text)"
  done <"$gen/files"
  (cd "$portable" && find . -mindepth 1 -type d | sed 's|^\./||' | awk '{ print gsub("/", "/"), $0 }' |
     sort -rn | cut -d' ' -f2-) | while IFS= read -r d; do
    printf '  RMDir "$INSTDIR\\%s"\n' "$(printf '%s' "$d" | tr / '\\' | nsis_text)"
  done
  echo '!macroend'
} >"$gen/files.nsh"

# The extensions the file list accepts, lower case, from the table in SupportedExtensions.h.
extensions=$(sed -n '/SupportedExtensions{/,/};/p' "$repo/src/filelist/SupportedExtensions.h" |
             grep -o '"[A-Za-z0-9]*"' | tr -d '"' | tr 'A-Z' 'a-z')
[ "$(wc -w <<<"$extensions")" -ge 10 ] || { echo "could not read the extensions from SupportedExtensions.h" >&2; exit 1; }
{
  echo '!macro VardenoExtensions MACRO'
  for e in $extensions; do echo "  !insertmacro \${MACRO} \"$e\""; done
  echo '!macroend'
} >"$gen/extensions.nsh"

out_file=$out_dir/Vardeno-$version-win64-setup.exe
nice -n 10 makensis -V2 -INPUTCHARSET UTF8 -WX \
  "-DVERSION=$version" "-DPORTABLE_DIR=$portable" "-DOUT_FILE=$out_file" "-DGENERATED=$gen" \
  "$repo/packaging/windows/vardeno.nsi"
echo "$out_file"
