#!/usr/bin/env bash
# Opens the preview of source-list entries in the real Tavrik.exe as a person
# would: a double-click on the entry, Right for the next palette, Escape or Enter
# to close. Runs in a Wine virtual desktop, so that the screenshot it keeps
# shows the windows with their caption bars.
#   preview.sh TAVRIK_EXE PROBE_EXE WORK_DIR
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh" "$@"

mkdir -p "$work/in"
desktop='tavrik-preview,720x640'
geometry=${desktop#*,}

# The X screen position of the virtual desktop, to turn its coordinates into the display's.
desktop_origin() {
  eval "$(xdotool getwindowgeometry --shell "$desktop_x")"
  printf '%s %s' "$X" "$Y"
}
double_click_entry() {
  local x y
  read -r x y <<<"$(in_desktop item "$1")" || fail "no entry $1 in the source list"
  xdo mousemove --sync $((ox + x)) $((oy + y))
  xdo click --repeat 2 --delay 80 1
}
line_is() { [ "$(in_desktop info)" = "$1" ]; }
open_preview() {  # entry, file name
  double_click_entry "$1"
  wait_until 20 in_desktop info || fail "no preview after a double-click on $2"
}
close_preview() {  # key
  xdo key "$1"
  wait_until 20 eval '! in_desktop info' || fail "the preview did not close on $1"
  echo "ok: $1 closed the preview"
}

timeout 60 "$WINE" "$probe" fixtures "$(winpath "$work/in")" >/dev/null 2>&1 || fail "no fixtures written"
tim_before=$(sha256sum <"$work/in/pic1.tim")
reset_settings

start_in_desktop
read -r ox oy <<<"$(desktop_origin)"
wait_until 30 in_desktop count || fail "the main window did not open"
find_app
for name in pic1.tim car.tmd sound.vag; do
  in_desktop add "$(winpath "$work/in/$name")" || fail "could not add $name"
done
expect_eq "entries" 3 "$(in_desktop count)"
xdo windowfocus --sync "$desktop_x"

# Sorted: car.tmd, pic1.tim, sound.vag.
open_preview 1 pic1.tim
sleep 0.5
expect_eq "line" "pic1.tim: TIM, 8-bit, 128x96, palette 1 of 4" "$(in_desktop info)"
xdo key Right
wait_until 10 line_is "pic1.tim: TIM, 8-bit, 128x96, palette 2 of 4" || true
expect_eq "line after Right" "pic1.tim: TIM, 8-bit, 128x96, palette 2 of 4" "$(in_desktop info)"
xdo mousemove --sync $((ox + 5)) $((oy + 5))  # the pointer out of the picture
sleep 0.5
shot preview-screen
convert "$shots/preview-screen.png" -crop "${geometry}+${ox}+${oy}" +repage "$shots/preview.png"

# 128 x 96 at 4 times: 512 x 384, centred in the area. The corner of the picture
# is see-through, so it shows the checkerboard: white, then grey 8 pixels on.
read -r pl pt pr pb <<<"$(in_desktop pane)"
top=$((pt + (pb - pt - 384) / 2))
expect_eq "see-through corner" "srgb(255,255,255)" "$(pixel preview-screen $((ox + pl + 1)) $((oy + top + 1)))"
expect_eq "next square" "srgb(192,192,192)" "$(pixel preview-screen $((ox + pl + 9)) $((oy + top + 1)))"
centre=$(pixel preview-screen $((ox + (pl + pr) / 2)) $((oy + top + 192)))
case "$centre" in
  "srgb(255,255,255)" | "srgb(192,192,192)") fail "the ball's centre shows the checkerboard" ;;
esac
echo "ok: the ball's centre is $centre"

close_preview Escape

open_preview 0 car.tmd
expect_eq "model line" "car.tmd: TMD model, 12 objects" "$(in_desktop info)"
close_preview Return

open_preview 2 sound.vag
expect_eq "raw line" "sound.vag: raw data, 31,264 bytes" "$(in_desktop info)"
close_preview Escape

expect_eq "entries after the previews" 3 "$(in_desktop count)"
expect_eq "pic1.tim unchanged" "$tim_before" "$(sha256sum <"$work/in/pic1.tim")"
# Loading the settings may create their key, but only closing the main window writes values.
values=$(wine_out reg query "$SETTINGS_KEY" | grep REG_ || true)
expect_eq "settings written by the previews" "" "$values"

# Escape now ends the main window.
xdo key Escape
wait_for_exit Escape
reset_settings
echo "PASS: screenshot in $shots/preview.png"
