#!/usr/bin/env bash
# The packages as a user gets them: cpack makes the .deb and the relocatable
# folder from the build tree BUILD; the .deb's contents, links, menu entry,
# icons and dependencies are checked with dpkg-deb; both are unpacked into a
# throwaway root, read-only where a system install is, and used by a normal
# user (nobody, when the suite runs as root): zqk-script registers the agent,
# signs in to the sandbox and saves its log, in the user's data folder for the
# .deb and beside the executable in the relocatable folder; the console
# registers its agent at start-up. Nothing is written into either install.
#
#   PackageTest.sh CPACK BUILD SOURCE     (KEEP=1 keeps its work folder)
set -euo pipefail
cpack=$1 build=$2 source=$3
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
[ -n "${KEEP:-}" ] || trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(echo "$work"/out/*.deb)
tgz=$(echo "$work"/out/*.tar.gz)
[ -f "$deb" ] && [ -f "$tgz" ] || fail "cpack made no .deb and .tar.gz: $(ls "$work/out")"

# Contents: exactly these paths, the two links relative into the program folder.
app=usr/lib/zqkcommclient
expected="usr/bin/ZQKCommClient -> ../lib/zqkcommclient/ZQKCommClient
usr/bin/zqk-script -> ../lib/zqkcommclient/zqk-script
$app/ZQKCommAgent.ocx
$app/ZQKCommClient
$app/ZQKFixtureAgent.ocx
$app/zqk-script
usr/share/applications/zqkcommclient.desktop"
for size in 16 22 24 32 48 64 128 256; do
  expected+=$'\n'"usr/share/icons/hicolor/${size}x${size}/apps/zqkcommclient.png"
done
contents=$(dpkg-deb -c "$deb" | grep -v '^d' | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +\.\//, ""); print }' |
  sort)
[ "$contents" = "$(sort <<<"$expected")" ] ||
  fail "the .deb holds"$'\n'"$contents"$'\n'"instead of"$'\n'"$expected"
dpkg-deb -c "$deb" | grep -q ' \./usr/bin/[^ ]*/' && fail "a folder in /usr/bin"
dpkg-deb -c "$deb" | grep -q 'mst' && fail "mst/ in the .deb"

# Dependencies found by dpkg-shlibdeps, and a font with Hangul.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 "fonts-nanum | fonts-noto-cjk"; do
  grep -qF "$package" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = zqkcommclient ] || fail "package name"

# The menu entry starts what /usr/bin holds, with an icon of every size.
root=$work/root
dpkg-deb -x "$deb" "$root"
entry=$root/usr/share/applications/zqkcommclient.desktop
head -1 "$entry" | grep -qx '\[Desktop Entry\]' || fail "no [Desktop Entry] group"
desktop-file-validate "$entry" >"$work/validate.log" 2>&1 ||
  fail "the desktop entry is not valid: $(cat "$work/validate.log")"
for line in Type=Application Exec=ZQKCommClient Icon=zqkcommclient Terminal=false; do
  grep -qx "$line" "$entry" || fail "the desktop entry lacks $line"
done
[ -x "$root/usr/bin/ZQKCommClient" ] || fail "Exec=ZQKCommClient is not in /usr/bin"
for size in 16 22 24 32 48 64 128 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/zqkcommclient.png" |
    grep -q "PNG image data, $size x $size" || fail "the ${size}x${size} icon is not that size"
done

# A normal user: nobody when this runs as root, else whoever runs it. A
# system install is not the user's to write.
home=$work/home
mkdir -p "$home/tmp"
chmod -R a-w "$root"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi
run() {
  env -i PATH=/usr/bin:/bin HOME="$home" TMPDIR="$home/tmp" LANG=C.UTF-8 "${as_user[@]}" "$@"
}
snapshot() { (cd "$1" && find . -printf '%p %s %T@\n' | sort); }

before=$(snapshot "$root")
run "$root/usr/bin/zqk-script" --no-timestamps "$source/tests/package/session.zqk" \
  >"$work/deb.out" 2>"$work/deb.err" || { cat "$work/deb.out" "$work/deb.err" >&2; fail "zqk-script from the .deb"; }
grep -qx '로그인 성공' "$work/deb.out" || fail "no sign-in: $(cat "$work/deb.out")"
data=$home/.local/share/ZQKCommClient
grep -qF "the log (ocx_log.log) and mst/ are kept in $data" "$work/deb.err" ||
  fail "no word of the data folder on standard error: $(cat "$work/deb.err")"
iconv -f CP949 -t UTF-8 "$data/ocx_log.log" | grep -q '로그인 되었습니다\[demo\]' ||
  fail "no saved log in $data"
[ -d "$data/mst" ] || fail "no $data/mst"

# The console registers the agent beside it in the user's registry.
QT_QPA_PLATFORM=offscreen run env QT_QPA_PLATFORM=offscreen "$root/usr/bin/ZQKCommClient" \
  >"$work/console.out" 2>&1 &
console=$!
registry=$home/.config/ZQKCommClient/components
for _ in $(seq 600); do
  grep -qF "=$root/$app/ZQKCommAgent.ocx" "$registry" 2>/dev/null && break
  kill -0 $console 2>/dev/null || break
  sleep 0.1
done
kill $console 2>/dev/null || true
wait $console 2>/dev/null || true
grep -qF "=$root/$app/ZQKCommAgent.ocx" "$registry" 2>/dev/null ||
  fail "the console did not register its agent: $(cat "$work/console.out")"
[ "$before" = "$(snapshot "$root")" ] || fail "something was written into the installed files"

# The relocatable folder, the user's own: the log stays beside the console.
chmod -R u+w "$root"
reloc=$work/reloc
mkdir "$reloc"
tar -xzf "$tgz" -C "$reloc"
folder=$(echo "$reloc"/*)
[ -d "$folder/lib/zqkcommclient/mst" ] || fail "no mst/ in the relocatable folder"
[ "$(id -u)" -eq 0 ] && chown -R 65534:65534 "$reloc"
rm -rf "$data"
run "$folder/bin/zqk-script" --no-timestamps "$source/tests/package/session.zqk" \
  >"$work/tgz.out" 2>"$work/tgz.err" || { cat "$work/tgz.out" "$work/tgz.err" >&2; fail "zqk-script from the folder"; }
grep -qx '로그인 성공' "$work/tgz.out" || fail "no sign-in from the folder"
[ -s "$work/tgz.err" ] && fail "standard error: $(cat "$work/tgz.err")"
[ -f "$folder/lib/zqkcommclient/ocx_log.log" ] || fail "no log beside zqk-script in the folder"
[ -e "$data" ] && fail "the relocatable folder wrote into the user's data folder"
echo "packages: $(basename "$deb"), $(basename "$tgz")"
