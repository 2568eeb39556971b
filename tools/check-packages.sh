#!/bin/sh
# Checks the packages `make package` built: the Debian package passes
# lintian, its desktop entry and AppStream file validate, and unpacked it
# runs; the Windows zip holds its five files, the programs being 32-bit PE.
#   tools/check-packages.sh <folder with mapio_*.deb> <folder with Mapio-*-win32.zip>
set -eu
newest() { ls -t "$1"/$2 2>/dev/null | head -n 1; }
deb=$(newest "$1" 'mapio_*.deb')
zip=$(newest "$2" 'Mapio-*-win32.zip')
[ -n "$deb" ] || { echo "no mapio_*.deb in $1" >&2; exit 1; }
[ -n "$zip" ] || { echo "no Mapio-*-win32.zip in $2" >&2; exit 1; }
fail() { echo "check-packages: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== lintian $deb"
root=""
[ "$(id -u)" -ne 0 ] || root=--allow-root
lintian $root --fail-on error --tag-display-limit 0 "$deb"

echo "== contents"
dpkg-deb -x "$deb" "$scratch/root"
usr="$scratch/root/usr"
for f in bin/mapio bin/mapio-cli share/applications/mapio.desktop \
    share/metainfo/io.github.mapio.mapio.metainfo.xml share/icons/hicolor/scalable/apps/mapio.svg \
    share/man/man1/mapio.1.gz share/man/man1/mapio-cli.1.gz \
    share/doc/mapio/copyright share/doc/mapio/changelog.Debian.gz; do
  [ -f "$usr/$f" ] || fail "the package has no /usr/$f"
done
for size in 16 22 24 32 48 64 128 256; do
  file "$usr/share/icons/hicolor/${size}x${size}/apps/mapio.png" |
    grep -q "PNG image data, $size x $size," || fail "no $size pixel icon"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6 libutf8proc2; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done

echo "== desktop-file-validate, appstreamcli validate"
out=$(desktop-file-validate "$usr/share/applications/mapio.desktop" 2>&1) || fail "$out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/io.github.mapio.mapio.metainfo.xml"

echo "== mapio-cli from the package"
version=$(dpkg-deb -f "$deb" Version)
said=$("$usr/bin/mapio-cli" --version)
[ "$said" = "Mapio ${version%-*}" ] || fail "mapio-cli --version said '$said' in package $version"
mkdir "$scratch/faces"
: > "$scratch/faces/1234.png"
: > "$scratch/faces/5678 Smith.jpg"
"$usr/bin/mapio-cli" make -n -q "$scratch/faces"
for record in '<record from="1234" to="graphics/pictures/person/1234/portrait"/>' \
    '<record from="5678 smith" to="graphics/pictures/person/5678/portrait"/>'; do
  grep -qF "$record" "$scratch/faces/config.xml" || fail "config.xml lacks $record"
done

echo "== $zip"
top=$(basename "$zip" .zip)
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
want="$top/LICENSE.txt $top/Mapio.exe $top/NEWS.txt $top/README.txt $top/mapio-cli.exe "
[ "$listed" = "$want" ] || fail "the zip holds '$listed', not '$want'"
unzip -q "$zip" -d "$scratch/zip"
file "$scratch/zip/$top/Mapio.exe" | grep -q "PE32 executable (GUI) Intel 80386" ||
  fail "Mapio.exe is not a 32-bit Windows program: $(file "$scratch/zip/$top/Mapio.exe")"
file "$scratch/zip/$top/mapio-cli.exe" | grep -q "PE32 executable (console) Intel 80386" ||
  fail "mapio-cli.exe is not a 32-bit console program"
cr=$(printf '\r')
for text in README.txt NEWS.txt LICENSE.txt; do
  # Every line ends in CR LF: as many lines as lines ending in CR.
  lines=$(wc -l < "$scratch/zip/$top/$text")
  crlf=$(grep -c "$cr\$" "$scratch/zip/$top/$text" || true)
  [ "$lines" -gt 10 ] && [ "$lines" -eq "$crlf" ] || fail "$text: $crlf of $lines lines end in CR LF"
done
echo "packages are fine: $deb $zip"
