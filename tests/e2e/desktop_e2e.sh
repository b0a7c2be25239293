#!/usr/bin/env bash
# The Debian package holds what it needs; unpacked and started with a fresh home, the program
# fills its folder (keeping the user's files), runs quiet without sound, types as the layout does.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
app_id=org.ventrix.Ventrix

(cd "$E2E_TMP" && cpack -G DEB --config "$(dirname "$E2E_BIN")/CPackConfig.cmake" -B "$E2E_TMP/deb") \
    >"$E2E_TMP/cpack.log" 2>&1 || cat "$E2E_TMP/cpack.log" >&2
deb=$(ls "$E2E_TMP"/deb/ventrix_*.deb 2>/dev/null | head -n 1)
e2e_check "cpack builds the Debian package" [ -n "$deb" ] || e2e_finish
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for file in bin/ventrix bin/ventrix-landmaker share/ventrix/ridge.sav share/ventrix/lands/field/field.map \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/icons/hicolor/{48x48,256x256}/apps/$app_id.png; do
    e2e_check "the package holds $file" grep -qxF "./usr/$file" <<<"$contents"
done
depends=$(dpkg-deb --field "$deb" Depends)
for library in libsdl2 libopenal libalut libfreetype libfontconfig libgl1 fonts-liberation; do
    e2e_check "the package depends on $library" grep -q "$library" <<<"$depends"
done
prefix="$E2E_TMP/root/usr"
dpkg-deb -x "$deb" "$E2E_TMP/root"
e2e_check "the desktop entry is valid" desktop-file-validate "$prefix/share/applications/$app_id.desktop"
e2e_check "the AppStream data is valid" \
    appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
e2e_check "--version prints the version line" [ "$("$prefix/bin/ventrix" --version)" = "Ventrix version 2.0.c" ]

export HOME="$E2E_TMP/home"
unset XDG_DATA_HOME VENTRIX_HOME
folder="$HOME/.local/share/ventrix"
mkdir -p "$folder"
echo "the user's own" >"$folder/field.sav"
: >"$E2E_TMP/empty.conf"
export ALSOFT_CONF="$E2E_TMP/empty.conf" ALSOFT_DRIVERS=alsa ALSA_CARD=ventrix_no_such_card

E2E_BIN="$prefix/bin/ventrix"
e2e_start_display
setxkbmap -layout us
e2e_start_app --load ridge.sav
e2e_require_window
e2e_check "the first run fills the working folder and keeps the user's file" \
    eval '[ -f "$folder/lands/ridge/ridge.map" ] && grep -qx "the user'"'"'s own" "$folder/field.sav"'

# Typed into the console once: keys pressed while the world is still being built wait
# in the queue, and the program handles them once it is there to save.
save_as() { type_line "savescene $1" && e2e_wait_for 60 test -f "$folder/$1"; }
press grave
e2e_check "US layout: my_game.sav arrives as typed" save_as my_game.sav
setxkbmap -layout fr
e2e_check "French layout: ':' and '1' arrive as typed" save_as "a:1.sav"
e2e_check "French layout: AltGr's '@' arrives as typed" save_as "b@.sav"
e2e_close_app
e2e_check "ventrix ends normally" [ "$E2E_STATUS" = 0 ]
quiet() { grep -qx "ventrix: no sound device, running silent" "$1" && ! grep -q -e "ALSA lib" -e "AL lib" "$1"; }
e2e_check "one line says the program runs silent, with no ALSA or OpenAL chatter" quiet "$E2E_TMP/app.err"
e2e_finish
