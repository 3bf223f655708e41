#!/usr/bin/env bash
# Makes the reference texts of the rich-text corpus once, with LibreOffice as the trusted reader
# (Debian: libreoffice-writer-nogui), and keeps them beside the test: reference/<name>.txt holds the
# plain text LibreOffice reads from <name>.rtf. The corpus itself stays in shared/ and is never
# copied here. Files LibreOffice cannot open get no reference; the test then checks only that the
# reader survives them. Run it again only when the corpus changes, and review the differences.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
corpus="${1:-$here/../../../../shared/corpus/rtf}"
out="$here/reference"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

mkdir -p "$out"
rm -f "$out"/*.txt
# A profile of its own, so that no user's settings change what is read.
soffice -env:UserInstallation="file://$work/profile" --headless \
    --convert-to "txt:Text (encoded):UTF8" --outdir "$work/txt" "$corpus"/*.rtf >/dev/null 2>&1 || true
for txt in "$work/txt"/*.txt; do
    [ -e "$txt" ] || continue
    # Its text abbreviates a word this repository keeps out of its files; it is checked without one.
    [ "$(basename "$txt")" = osxcart__rtfdtest_TXT.txt ] && continue
    # Drop the byte-order mark the text filter writes.
    sed '1s/^\xEF\xBB\xBF//' "$txt" > "$out/$(basename "$txt")"
done
echo "$(ls "$out" | wc -l) references in $out"
