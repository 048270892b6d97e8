#!/usr/bin/env bash
# The setup program in its user's language: under a German display language
# (which Wine takes from LANG and LC_ALL) the wizard's first page is German,
# NSIS's texts and the caption alike, and is photographed, and so is the
# Hebrew one, which NSIS lays out right to left; then one of
# Tavlin's own messages, the refusal beside a package's installation, comes
# in German, with the package's code filled in, and the exit code is
# unchanged.
#   language_test.sh TEMPLATE WORKDIR STUB SETUP VERSION PROBE SCREENSHOT
set -uo pipefail
probe=$6 shot=$7
source "$(dirname "$0")/lib.sh" "$@"

# The Linux locale need not exist (Wine only reads its name); the shell's
# warning that it does not is no news.
german() { LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 "$@" 2>/dev/null; }

say "the $stub stub under a German display language: the welcome page"
german "$WINE" "$setup" &
setup_pid=$!
# The page is up once its Next button is: its texts are read then.
page=$("$WINE" "$probe" texts 30 '&Weiter >' | tr -d '\r')
printf '%s\n' "$page" | sed 's/^/       | /'
expect "the caption is German" grep -qx 'Installation von Tavlin' <<<"$page"
expect "the welcome title is German" grep -qF 'Willkommen zur Installation' <<<"$page"
expect "so is Cancel" grep -qx 'Abbrechen' <<<"$page"
mkdir -p "$(dirname "$shot")"
rm -f "$shot"
id=$(xdotool search --onlyvisible --name '^Installation von Tavlin$' 2>/dev/null | head -n 1)
if [[ -n $id ]] && import -window "$id" "$shot"; then
    # A page of text and a picture: far more than a few colours.
    [[ $(identify -format '%w %k' "$shot") =~ ^([0-9]+)\ ([0-9]+)$ ]] && ((BASH_REMATCH[1] >= 400 && BASH_REMATCH[2] >= 16)) &&
        ok "photographed: $shot" || bad "the photograph $shot looks empty"
else
    bad "no German wizard window to photograph"
fi
"$WINE" "$probe" click 10 'Abbrechen' >/dev/null 2>&1
box=$("$WINE" "$probe" message 20 yes | tr -d '\r')
expect "Cancel asks in German" grep -qF 'Sind Sie sicher' <<<"$box"
expect_exit "installer, cancelled" 1 wait "$setup_pid"
expect_not "nothing installed" reg_key_exists "$uninstall_key"

say "the $stub stub under a Hebrew display language: the welcome page, right to left"
hebrew_shot=${shot%de-DE.png}he-IL.png
# Its letters show as boxes under Wine: NSIS draws in MS Shell Dlg, which
# is Tahoma, whose Windows face has Hebrew and Wine's has not (nor does
# Wine's GDI take a linked face for a text read right to left); the texts
# are read from the page instead, and the photograph shows its layout.
LANG=he_IL.UTF-8 LC_ALL=he_IL.UTF-8 "$WINE" "$setup" 2>/dev/null &
setup_pid=$!
page=$("$WINE" "$probe" texts 30 'ה&בא >' | tr -d '\r')
printf '%s\n' "$page" | sed 's/^/       | /'
expect "the caption is Hebrew" grep -qx 'התקנת Tavlin' <<<"$page"
expect "the welcome title is Hebrew" grep -qF 'ברוכים הבאים לאשף ההתקנה' <<<"$page"
rm -f "$hebrew_shot"
# Found by its X class (Wine names it after the program file): xdotool
# matches a title in Latin-1 only.
class=$(basename "$setup")
class=${class,,}
id=$(xdotool search --onlyvisible --class "^${class//./\\.}\$" 2>/dev/null | head -n 1)
if [[ -n $id ]] && import -window "$id" "$hebrew_shot"; then
    ok "photographed: $hebrew_shot"
else
    bad "no Hebrew wizard window to photograph"
fi
"$WINE" "$probe" click 10 'ביטול' >/dev/null 2>&1
box=$("$WINE" "$probe" message 20 yes | tr -d '\r')
expect "Cancel asks in Hebrew, not in English" test -n "$box" -a "${box/Are you sure/}" == "$box"
expect_exit "installer, cancelled" 1 wait "$setup_pid"

say "one of Tavlin's own messages: the refusal beside a package's installation"
code='{0D1E2F3A-4B5C-6D7E-8F90-A1B2C3D4E5F6}'
wine_reg add 'HKLM\Software\Drevalo\Tavlin' /v ProductCode /t REG_SZ /d "$code" /f
german "$WINE" "$setup" &
setup_pid=$!
box=$("$WINE" "$probe" lone-message 30 ok | tr -d '\r')
printf '%s\n' "$box" | sed 's/^/       | /'
expect "it is German" grep -qF 'ist auf diesem Computer bereits' <<<"$box"
expect "it names Programs and Features as German Windows does" grep -qF 'Programme und Features' <<<"$box"
expect "and the command, with the package's code filled in" grep -qxF "msiexec /x $code" <<<"$box"
expect_exit installer 7 wait "$setup_pid"

finish
