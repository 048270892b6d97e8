#!/usr/bin/env bash
# The About window as Word shows it, at 96, 144 and 192 DPI (the display's
# LogPixels) in each of Tavlin's languages: its size measured, every text
# whole in it, and at 192 at least 1.8 times its size at 96 both ways; a
# photograph of each DPI kept (about-96dpi.png ...) in the screenshot
# folder, and one in Korean and one in Hebrew (about-ko-KR.png,
# about-he-IL.png), whose window is mirrored as Arabic's is. A per-monitor
# aware thread's window told of a new DPI lays itself
# out as one opened there. From the keyboard alone: Tab and Shift+Tab go
# round the link and OK, Enter and Space on the link open the web page
# (the shell's https handler, here a stand-in that logs its start), Enter
# elsewhere, Esc and Alt+F4 close the window. A screen reader gets each
# control's role and name. Under a dark high-contrast
# palette every colour is the theme's (about-high-contrast.png): Wine
# never says a theme is high-contrast, so the link's colour follows from
# the face it stands on.
set -uo pipefail
template=$1 work=$2 dll=$3 wordhost=$4 wine_env=$5 regsvr32=$6 shots=$7 browser=$8
source "$wine_env" "$template" "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
host() { # LOG ARGS...: wordhost, its output (CRs dropped) in LOG
  local log=$1; shift
  "$WINE" 'C:\wordhost.exe' "$@" >"$log.raw" 2>&1
  local rc=$?
  tr -d '\r' <"$log.raw" >"$log"
  return $rc
}
# The display's DPI, read by each program as it starts; the server holds
# the registry, so the next program sees it at once.
set_dpi() {
  local out
  out=$("$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f 2>&1) ||
    fail "LogPixels $1: exit code $?: $out"
}
# sessions LOG PREFIX ARGS...: one wordhost for several starts of Word
# (ARGS joined by --then), its report in LOG and each start's part of it
# in PREFIX-N.log, N from 1: a process start is what costs most on a slow
# host.
sessions() {
  local log=$1 prefix=$2
  shift 2
  host "$log" "$@"
  local rc=$?
  awk -v prefix="$prefix" '/^session [0-9]+$/ { out = prefix "-" $2 ".log"; next }
    out { print > out }' "$log"
  return $rc
}
# window_size LOG [NTH]: the NTH (default last) "about: window WxH" of LOG.
window_size() { grep '^  about: window ' "$1" | sed -n "${2:-\$}p" | awk '{print $3}'; }

cp "$dll" "$WINEPREFIX/drive_c/TavlinAddin.dll"
cp "$wordhost" "$WINEPREFIX/drive_c/wordhost.exe"
"$WINE" "$regsvr32" /s 'C:\TavlinAddin.dll' || fail "$regsvr32"
mkdir -p "$shots"

# One id for each of Tavlin's languages (po/languages.txt), in its order;
# Hebrew (1037) and Arabic (1025) are mirrored.
languages=(1033 1031 1036 3082 1040 1046 1043 1045 1049 1041 2052 2070 1028 1042 1055 1053 1030
  1044 1035 1029 1051 1038 1032 1048 1026 1058 1050 9242 1060 1061 1062 1063 1037 1025 1054
  1066 1057 1086 1081 1087)
declare -A size
for dpi in 96 144 192; do
  set_dpi "$dpi"
  args=()
  for lang in "${languages[@]}"; do args+=(--then --ui-language "$lang" --click ShowAbout0); done
  sessions "$work/about-$dpi.log" "$work/about-$dpi" "${args[@]:1}" ||
    fail "$dpi dpi: exit code $?: $(grep -v '^  ' "$work/about-$dpi.log")"
  n=0
  for lang in "${languages[@]}"; do
    n=$((n + 1))
    log="$work/about-$dpi-$n.log"
    [[ -s $log ]] || { fail "$dpi dpi, $lang: no report"; continue; }
    grep -q '^  about: every text fits$' "$log" || fail "$dpi dpi, $lang: $(grep 'about:' "$log")"
    layout=ltr
    [[ $lang == 1037 || $lang == 1025 ]] && layout=rtl
    grep -qx "  about: layout $layout" "$log" || fail "$dpi dpi, $lang: the window's layout is not $layout"
    size[$dpi,$lang]=$(window_size "$log")
    [[ ${size[$dpi,$lang]} =~ ^[0-9]+x[0-9]+$ ]] || fail "$dpi dpi, $lang: no window size"
  done
  echo "about window at $dpi dpi: English ${size[$dpi,1033]}, German ${size[$dpi,1031]}, Japanese ${size[$dpi,1041]}"
done
for lang in "${languages[@]}"; do
  IFS=x read -r w96 h96 <<<"${size[96,$lang]}"
  IFS=x read -r w144 h144 <<<"${size[144,$lang]}"
  IFS=x read -r w192 h192 <<<"${size[192,$lang]}"
  ((w192 * 10 >= w96 * 18 && h192 * 10 >= h96 * 18)) ||
    fail "$lang: ${size[192,$lang]} at 192 dpi is not 1.8 times ${size[96,$lang]} at 96"
  ((w96 < w144 && w144 < w192 && h96 < h144 && h144 < h192)) ||
    fail "$lang: 96, 144, 192 dpi give ${size[96,$lang]}, ${size[144,$lang]}, ${size[192,$lang]}"
done

# Photographed once wordhost has reported the window (shown, its messages
# handled) and two pictures in a row, more than a blank frame (text and
# lines on the face make many colours), have the same pixels: Wine hands a
# window's painting to X in its own time, and a slow host was seen
# photographed before the link was drawn.
photograph() { # PNG WORDHOST-ARGS...
  local shot=$1 next=${1%.png}.next.png id= pid last= pixels= steady=0
  shift
  rm -f "$shot"
  "$WINE" 'C:\wordhost.exe' "$@" --click ShowAbout0 --keep-open 20 >"$work/shot.log" 2>&1 &
  pid=$!
  for _ in $(seq 300); do
    # The host's one window (Wine names its X class after the program):
    # a caption in another language is more than xdotool's name matching
    # reads.
    id=$(xdotool search --onlyvisible --class '^wordhost\.exe$' 2>/dev/null | head -1)
    if [[ -n $id ]] && grep -q '^  about: window ' "$work/shot.log" &&
      import -window "$id" "$next" 2>/dev/null &&
      [[ $(identify -format '%k' "$next" 2>/dev/null) -ge 8 ]] &&
      pixels=$(identify -format '%#' "$next" 2>/dev/null) && [[ -n $pixels ]]; then
      mv "$next" "$shot"
      [[ $pixels == "$last" ]] && steady=1 && break
      last=$pixels
    fi
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$next"
  ((steady)) || { rm -f "$shot"; fail "no About window to photograph for $shot"; }
  # Done with it: the window goes with its host.
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
}
for dpi in 96 144 192; do
  set_dpi "$dpi"
  photograph "$shots/about-${dpi}dpi.png"
  [[ -f $shots/about-${dpi}dpi.png ]] && echo "photographed: $shots/about-${dpi}dpi.png" \
    "$(identify -format '%wx%h' "$shots/about-${dpi}dpi.png")"
done
# Its script in Korean, and right to left in Hebrew, for a person to look at.
set_dpi 96
for pair in ko-KR:1042 he-IL:1037; do
  photograph "$shots/about-${pair%%:*}.png" --ui-language "${pair#*:}"
  [[ -f $shots/about-${pair%%:*}.png ]] && echo "photographed: $shots/about-${pair%%:*}.png"
done

# Per monitor: opened at 96 and told of 192, the window is the one opened
# at 192; told of 96 again, the one it was. Each new set of fonts replaces
# the last (a leak would show only as a count Wine does not keep).
set_dpi 96
args=()
for lang in 1033 1031 1041; do
  args+=(--then --dpi-awareness per-monitor --ui-language "$lang" --click ShowAbout0
    --about-dpi 192 --about-dpi 144 --about-dpi 96)
done
sessions "$work/permonitor.log" "$work/permonitor" "${args[@]:1}" ||
  fail "per-monitor: $(cat "$work/permonitor.log")"
n=0
for lang in 1033 1031 1041; do
  n=$((n + 1))
  log="$work/permonitor-$n.log"
  [[ $(window_size "$log" 1) == "${size[96,$lang]}" ]] ||
    fail "per-monitor, $lang: opened at $(window_size "$log" 1), not ${size[96,$lang]}"
  for told in 2:192 3:144 4:96; do
    got=$(window_size "$log" "${told%%:*}")
    [[ $got == "${size[${told#*:},$lang]}" ]] ||
      fail "per-monitor, $lang: told of ${told#*:} dpi, $got rather than ${size[${told#*:},$lang]}"
  done
  [[ $(grep -c '^  about: every text fits$' "$log") == 4 ]] ||
    fail "per-monitor, $lang: $(grep 'about:' "$log")"
done

# The keyboard, through Word's kind of message loop (wordhost's has no
# dialog manager of its own).
cp "$browser" "$WINEPREFIX/drive_c/browser.exe"
export TAVLIN_TEST_LOG='C:\browser.txt'
opened="$WINEPREFIX/drive_c/browser.txt"
out=$("$WINE" reg add 'HKLM\Software\Classes\https\shell\open\command' /ve /t REG_SZ \
  /d '"C:\browser.exe" "%1"' /f 2>&1) || fail "https handler: exit code $?: $out"
set_dpi 96
link='"https://www.drevalo.example/"'
keys() { # NAME KEYS EXPECTED-LINE...: the report of typing KEYS is those lines
  local name=$1 typed=$2 log="$work/keys-$1.log"
  shift 2
  rm -f "$opened"
  host "$log" --click ShowAbout0 --about-keys "$typed" || fail "keys $name: $(cat "$log")"
  diff <(printf '%s\n' "$@") <(grep '^  about-keys: ' "$log" | sed 's/^  about-keys: //') >"$log.diff" ||
    fail "keys $name: $(cat "$log.diff")"
}
keys walk tTtss 'focus "OK"' "t -> focus $link" 'T -> focus "OK"' "t -> focus $link" \
  "s -> focus $link" "s -> focus $link"
# The stand-in is started by the shell, not waited for: its two starts
# are awaited here.
for _ in $(seq 100); do
  [[ $(grep -c '^word ' "$opened" 2>/dev/null) == 2 ]] && break
  sleep 0.1
done
[[ $(grep -c '^word ' "$opened" 2>/dev/null) == 2 ]] ||
  fail "Space twice on the link opened the page $(grep -c '^word ' "$opened" 2>/dev/null) times"
keys enter-on-link tr "focus \"OK\"" "t -> focus $link" "r -> focus $link"
for _ in $(seq 100); do [[ -s $opened ]] && break; sleep 0.1; done
[[ -s $opened ]] || fail "Enter on the link did not open the page"
keys enter r 'focus "OK"' 'r -> focus nothing, About window closed'
[[ ! -s $opened ]] || fail "Enter on OK opened the page"
keys escape te 'focus "OK"' "t -> focus $link" 'e -> focus nothing, About window closed'
[[ ! -s $opened ]] || fail "Esc on the link opened the page"
keys alt-f4 f 'focus "OK"' 'f -> focus nothing, About window closed'

# What a screen reader reads (MSAA, through Wine's oleacc): the window, a
# dialog, and each control in order by its name, the link a link holding
# its address. The other controls' roles are Windows' own objects' (static
# text, push button); Wine's call each of them "client".
host "$work/accessible.log" --click ShowAbout0 --about-accessible ||
  fail "accessible: $(cat "$work/accessible.log")"
sed -n 's/^  accessible: //p' "$work/accessible.log" |
  sed -E 's/^(client|static text|push button|separator) //' >"$work/accessible.txt"
diff <(printf '%s\n' 'window dialog "About"' '"Tavlinar"' '"Version 7.0.0"' '(no name)' \
  '"Website: "' 'link "https://www.drevalo.example/" value "https://www.drevalo.example/"' \
  '(no name)' '"OK"') "$work/accessible.txt" >"$work/accessible.diff" ||
  fail "accessible: $(cat "$work/accessible.diff")"

# High Contrast Black's colours, read by each program as it starts.
colours='HKCU\Control Panel\Colors'
for c in 'ButtonFace:0 0 0' 'ButtonText:255 255 255' 'HotTrackingColor:255 255 0' \
  'WindowText:255 255 255' 'Window:0 0 0'; do
  wine_reg add "$colours" /v "${c%%:*}" /t REG_SZ /d "${c#*:}" /f || fail "colour $c"
done
shot="$shots/about-high-contrast.png"
photograph "$shot"
if [[ -f $shot ]]; then
  histogram=$(convert "$shot" -format %c histogram:info:-)
  grep -q '(255,255,0)' <<<"$histogram" || fail "high contrast: the link is not in the theme's hot-light colour"
  grep -q '(0,0,204)' <<<"$histogram" && fail "high contrast: the link keeps our own blue"
  face=$(sort -rn <<<"$histogram" | head -1)
  [[ $face == *'(0,0,0)'* ]] || fail "high contrast: the face is $face, not the theme's"
  echo "photographed: $shot"
fi

((failures == 0)) && echo PASS
exit $((failures > 0))
