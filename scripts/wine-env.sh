# Sourced by the Wine tests: a private prefix copied from the template made
# by wine-prefix.sh, and an Xvfb display of their own.
#   source wine-env.sh TEMPLATE WORKDIR
# Sets WINEPREFIX, WINEARCH (the template's kind), DISPLAY, WINE (the
# loader of the prefix's own system, which starts programs of either
# bitness, through wine-run.sh),
# and an EXIT trap that stops the prefix's wineserver and the display, and
# removes the prefix after a successful run.
# A program's registry writes are seen by the next program at once (the
# server holds the registry), so tests need not wait between programs.
# The prefix's server runs for the whole test (wineserver -p): one left to
# itself ends some 3 s after the last program, and the next program starts
# it and Wine's services anew, while the tests go on; the desktop process
# then starts as a child of whichever program first shows a window. So
# nothing here waits for the server to exit (`wineserver -w` would wait
# for ever): wine_wait_programs waits for the programs themselves.
# A test that runs 32-bit programs says so with TAVLIN_TEST_32BIT=1 (its
# ctest environment); on a machine that cannot run them it ends here with
# exit code 77, which ctest reports as skipped, and the reason.
tavlin_wine_template=${1:?template prefix}
tavlin_wine_work=${2:?work folder}
if [[ ${TAVLIN_TEST_32BIT:-0} == 1 && -f $tavlin_wine_template/.tavlin-no32bit ]]; then
  echo "SKIPPED: this machine cannot run 32-bit Windows programs: $(cat "$tavlin_wine_template/.tavlin-no32bit")"
  exit 77
fi
WINEARCH=$(cat "$tavlin_wine_template/.tavlin-arch" 2>/dev/null || echo win64)
export WINEARCH WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$tavlin_wine_work/prefix
# Wine's menu builder turns every shortcut a program makes into a desktop
# entry and icons in the desktop's data folders, by default in the user's
# own home, where they would outlive the prefix and pile up run after run.
# Here those folders are the test's own. The builder itself stays: run as
# each prefix starts, it is also what first sets up the display's devices,
# and the tests expect a Windows whose display is set up before any window.
export XDG_DATA_HOME=$tavlin_wine_work/xdg-data XDG_CONFIG_HOME=$tavlin_wine_work/xdg-config
if [[ $WINEARCH == win32 ]]; then TAVLIN_WINE_LOADER=/usr/lib/wine/wine; else TAVLIN_WINE_LOADER=/usr/lib/wine/wine64; fi
export TAVLIN_WINE_LOADER
WINE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-run.sh
# Without its preloader Wine starts programs, but now and then one ends
# before its first line (see setup.sh): a test would fail at random.
for tavlin_loader in "$TAVLIN_WINE_LOADER" /usr/lib/wine/wine; do
  if [[ -x $tavlin_loader && ! -e $tavlin_loader-preloader ]]; then
    echo "wine-env: no $tavlin_loader-preloader: bash scripts/setup.sh installs Wine's preloaders" >&2
    exit 1
  fi
done
# A test that was stopped before its end left its prefix mounted.
mountpoint -q "$WINEPREFIX" 2>/dev/null && umount -l "$WINEPREFIX"
# A failed run's folder is what tells why it failed, and a rerun of the
# test would otherwise start by removing it: it is kept beside, as
# WORK.failed (the latest failure's only).
if [[ -e $tavlin_wine_work/.tavlin-failed ]]; then
  rm -rf "$tavlin_wine_work.failed"
  mv "$tavlin_wine_work" "$tavlin_wine_work.failed"
fi
rm -rf "$tavlin_wine_work"
mkdir -p "$tavlin_wine_work"
tavlin_wine_work=$(cd "$tavlin_wine_work" && pwd)
export WINEPREFIX=$tavlin_wine_work/prefix
[[ -d $tavlin_wine_template/drive_c ]] || { echo "wine-env: no prefix template at $tavlin_wine_template" >&2; exit 1; }
# The prefix: where this machine lets the test mount one, an overlay on the
# template, which holds only what the test changes. A copy is some 1.3 GB
# written to the disk per test, dozens of them, and the disk's writing
# cost the suite as much processor time as some of its tests. Otherwise a
# copy.
tavlin_prefix_overlay=0
mkdir -p "$WINEPREFIX" "$tavlin_wine_work/prefix-changes" "$tavlin_wine_work/prefix-overlay"
if mount -t overlay overlay -o "lowerdir=$tavlin_wine_template,upperdir=$tavlin_wine_work/prefix-changes,workdir=$tavlin_wine_work/prefix-overlay" \
  "$WINEPREFIX" 2>/dev/null; then
  tavlin_prefix_overlay=1
else
  rmdir "$WINEPREFIX" "$tavlin_wine_work/prefix-changes" "$tavlin_wine_work/prefix-overlay"
  cp -a "$tavlin_wine_template" "$WINEPREFIX" || { echo "wine-env: the prefix could not be copied" >&2; exit 1; }
fi

tavlin_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    tavlin_xvfb_pid=$!
    for _ in $(seq 1 50); do
      # Tests started together may pick the same number: the loser's Xvfb
      # exits, but xdpyinfo answers from the winner's, which goes away with
      # the other test. The lock file names the display's owner.
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        if [[ $(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null) == "$tavlin_xvfb_pid" ]]; then
          export DISPLAY=":$n"
          return 0
        fi
        break
      fi
      kill -0 "$tavlin_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$tavlin_xvfb_pid" 2>/dev/null || true
  done
  echo "wine-env: no Xvfb display could be started" >&2
  return 1
}

# A passing run's prefix goes, a failing run's stays to be looked into, as
# a whole prefix (an overlay's is copied out before it is unmounted).
# TAVLIN_KEEP_PREFIX=1 keeps it whatever the outcome.
tavlin_wine_cleanup() {
  local rc=$?
  if [[ -s $tavlin_wine_work/reg-failures ]]; then
    echo "wine-env: reg failed in this test, so the checks that read it cannot be trusted" >&2
    [[ $rc == 0 ]] && rc=1
  fi
  WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
  [[ -n ${tavlin_xvfb_pid:-} ]] && kill "$tavlin_xvfb_pid" 2>/dev/null || true
  # The server saves the registry as it exits; the prefix goes after it.
  WINEPREFIX=$WINEPREFIX wineserver -w >/dev/null 2>&1 || true
  local keep=0
  [[ $rc != 0 || ${TAVLIN_KEEP_PREFIX:-0} == 1 ]] && keep=1
  if ((tavlin_prefix_overlay)); then
    ((keep)) && cp -a "$WINEPREFIX" "$tavlin_wine_work/prefix.kept"
    # Lazily: a process that still has its folder there lets go later.
    umount -l "$WINEPREFIX"
    rm -rf "$WINEPREFIX" "$tavlin_wine_work/prefix-changes" "$tavlin_wine_work/prefix-overlay"
    ((keep)) && mv "$tavlin_wine_work/prefix.kept" "$WINEPREFIX"
  elif ((!keep)); then
    rm -rf "$WINEPREFIX"
  fi
  [[ $rc != 0 ]] && touch "$tavlin_wine_work/.tavlin-failed"
  exit "$rc"
}
trap tavlin_wine_cleanup EXIT
tavlin_start_xvfb

# wine_programs [FILE]: the prefix's programs that are running (those of
# that file name only, when given), one a line, other than its server and
# the services Wine runs beside them: its processes
# whose first argument Wine has set to the program as it was started (a
# Windows path). Where 32-bit programs run through an emulator
# (binfmt_misc), the emulator comes first, then Wine's preloader and
# loader, then the program. Builtins only: the waits call this ten times a
# second, and a command started for each process (readlink, grep) made
# every call cost a second of processor time, as much as the programs
# waited for.
wine_programs() {
  local d e i name args env found
  # A process may end while it is read: the error stream is set aside
  # before the file is opened, or its vanishing would be said on it.
  for d in /proc/[0-9]*; do
    mapfile -d '' -t args 2>/dev/null <"$d/cmdline" || continue
    i=0
    [[ ${args[1]:-} == /usr/lib/wine/wine-preloader ]] && i=1
    if [[ ${args[i + 1]:-} == /usr/lib/wine/wine ]]; then
      name=${args[i + 2]:-}
    else
      name=${args[0]:-}
    fi
    [[ $name == [A-Za-z]:\\* ]] || continue
    [[ -z ${1:-} || ${name,,} == *\\"${1,,}" ]] || continue
    mapfile -d '' -t env 2>/dev/null <"$d/environ" || continue
    found=0
    for e in "${env[@]}"; do [[ $e == "WINEPREFIX=$WINEPREFIX" ]] && found=1 && break; done
    ((found)) || continue
    case ${name,,} in
    *\\services.exe | *\\explorer.exe | *\\winedevice.exe | *\\plugplay.exe | *\\svchost.exe | *\\rpcss.exe) ;;
    *\\reg-reader.exe) ;; # the harness's own, below
    *) printf '%s\n' "$name" ;;
    esac
  done
}

# wine_reg_import: the registry changes on standard input, written as in a
# .reg file after its header ([KEY] and "NAME"=DATA lines, [-KEY] to
# delete a key; HKLM and HKCU as reg add takes them), made by one reg
# import: one program instead of a reg add or delete each, every one of
# them a process start (a second under an emulator). The prefix's own reg
# writes the 64-bit view of a 64-bit Windows.
# Written as UTF-16 with a byte order mark, as regedit writes it, so that
# names and texts keep every letter (an ANSI file is read in the code page).
wine_reg_import() {
  {
    printf '\xff\xfe'
    {
      printf 'Windows Registry Editor Version 5.00\n\n'
      sed -E 's/^\[(-?)HKLM\\/[\1HKEY_LOCAL_MACHINE\\/; s/^\[(-?)HKCU\\/[\1HKEY_CURRENT_USER\\/'
    } | iconv -f UTF-8 -t UTF-16LE
  } >"$WINEPREFIX/drive_c/tavlin-import.reg"
  wine_reg import 'C:\tavlin-import.reg'
}

# wine_reg ARGS...: a change by "reg ARGS" (add, delete, import, export),
# its answer not shown: exit code 0 when done, 1 when reg says the key or
# value is not there (a delete of what was never made); 2 when reg failed,
# as tavlin_reg_failed tells. (A change that failed unseen made a later
# check read a state nobody wrote.)
wine_reg() {
  local rc out=$tavlin_wine_work/reg.out err=$tavlin_wine_work/reg.err
  tavlin_reg_run "$out" "$err" "$@" && return 0 || rc=$?
  tavlin_reg_failed "$*" "$rc" "$(<"$out")" "$err"
}

# tavlin_reg_run OUT ERRFILE ARGS...: "reg ARGS", its output in OUT and
# its error stream in ERRFILE; reg's exit code. Wine's own errors go on
# that stream too: with them hidden, a reg that Wine itself failed to
# start ended with exit code 1 and said nothing at all.
# reg by its full path: a bare name is looked up by a start.exe that Wine
# runs first and that waits for the program, one process more each time.
tavlin_reg='C:\windows\system32\reg.exe'
tavlin_reg_wow64='C:\windows\syswow64\reg.exe'
tavlin_reg_run() {
  local out=$1 err=$2 rc
  shift 2
  tavlin_reader_ask "${tavlin_reg_tool:-$tavlin_reg}" "$out" "$err" "$@" && return 0 || rc=$?
  ((rc == 1)) && return 1
  WINEDEBUG=-all,err+all "$WINE" "${tavlin_reg_tool:-$tavlin_reg}" "$@" >"$out" 2>"$err"
}

# The registry reader (tests/wine/harness/reg_reader_win.cpp): "reg query"
# answered byte for byte as a reg.exe would, by one process per reg.exe
# that stays up for the test, instead of a process start per question
# (hundreds in a test; most of a second each for a 32-bit reg.exe run
# through an emulator). TAVLIN_REG_READER32 and TAVLIN_REG_READER64 name
# the two builds' readers. The prefix's own reg.exe gets one; SysWOW64's
# only in a test that sets tavlin_wow64_reads=1 before it sources this (the
# others never ask it, and its start is one 32-bit program more). A
# question the reader does not answer goes to reg.exe itself, as does
# every one with tavlin_reader_off=1, or in another locale than the
# reader's (reg speaks the locale's language and code page).
# wine.harness.reg_reader holds the two equal.
declare -A tavlin_reader_pid tavlin_reader_in tavlin_reader_out
tavlin_reader_answered=0
tavlin_reader_locale=
tavlin_readers_start() {
  local tool fd
  for tool in "${!tavlin_reader_pid[@]}"; do
    fd=${tavlin_reader_in[$tool]} && exec {fd}>&-
    fd=${tavlin_reader_out[$tool]} && exec {fd}>&-
  done
  tavlin_reader_pid=() tavlin_reader_in=() tavlin_reader_out=()
  tavlin_reader_locale="${LANG-}|${LC_ALL-}|${LC_CTYPE-}|${LC_MESSAGES-}"
  if [[ $WINEARCH == win32 ]]; then
    tavlin_reader_start "$tavlin_reg" "${TAVLIN_REG_READER32:-}"
  else
    tavlin_reader_start "$tavlin_reg" "${TAVLIN_REG_READER64:-}"
    ((${tavlin_wow64_reads:-0})) && tavlin_reader_start "$tavlin_reg_wow64" "${TAVLIN_REG_READER32:-}"
  fi
  return 0
}
# tavlin_reader_start TOOL EXE: EXE answers TOOL's questions, through two
# named pipes: each end is opened in the same order on both sides, so
# neither waits for ever.
tavlin_reader_start() {
  local tool=$1 exe=$2 dir fin fout
  [[ -n $exe && -f $exe ]] || return 0
  dir=$tavlin_wine_work/reader-${#tavlin_reader_pid[@]}-$SECONDS
  mkdir -p "$dir" && mkfifo "$dir/in" "$dir/out" || return 0
  # Wine's loader itself: wine-run.sh starts its program in the
  # background, where bash gives it no standard input.
  "$TAVLIN_WINE_LOADER" "$exe" <"$dir/in" >"$dir/out" 2>"$dir/err" &
  tavlin_reader_pid[$tool]=$!
  exec {fin}>"$dir/in" {fout}<"$dir/out"
  tavlin_reader_in[$tool]=$fin tavlin_reader_out[$tool]=$fout
}
# tavlin_reader_ask TOOL OUT ERRFILE ARGS...: reg's exit code (0 or 1) for
# "TOOL ARGS", its output in OUT; 2 when the reader did not answer. Each
# answer names its question, so one that came too late is never taken
# for the next one's.
tavlin_reader_ask() {
  local tool=$1 out=$2 err=$3 pid arg line id reply
  shift 3
  pid=${tavlin_reader_pid[$tool]:-}
  [[ -n $pid && $1 == query && ${tavlin_reader_off:-0} != 1 ]] || return 2
  [[ "${LANG-}|${LC_ALL-}|${LC_CTYPE-}|${LC_MESSAGES-}" == "$tavlin_reader_locale" ]] || return 2
  [[ $out == /* ]] || out=$PWD/$out
  id=$BASHPID.$RANDOM.$RANDOM
  line=$id$'\x1f'query$'\x1f'Z:${out//\//\\}
  for arg in "${@:2}"; do
    [[ $arg == *[$'\x1f\n']* ]] && return 2
    line+=$'\x1f'$arg
  done
  kill -0 "$pid" 2>/dev/null || return 2
  # A reader gone (a test that stops the server) ends the pipe: the write
  # fails instead of ending the test.
  (trap '' PIPE && printf '%s\n' "$line" >&"${tavlin_reader_in[$tool]}") 2>/dev/null || return 2
  while IFS= read -r -t 60 -u "${tavlin_reader_out[$tool]}" reply; do
    [[ $reply == "$id "* ]] || continue
    case ${reply#"$id "} in
    0 | 1)
      : >"$err"
      tavlin_reader_answered=$((tavlin_reader_answered + 1))
      return "${reply#"$id "}"
      ;;
    *) return 2 ;;
    esac
  done
  echo "wine-env: the registry reader for $tool did not answer; reg.exe answers instead" >&2
  return 2
}

# tavlin_reg_failed WHAT RC OUT ERRFILE: 1 when reg's answer OUT says the
# key or value is not there; otherwise reg failed: its exit code, what it
# said on either stream and the prefix's programs at that moment are shown
# and kept in reg-failures, which fails the test when it ends; 2.
tavlin_reg_failed() {
  [[ $3 == *'Unable to find the specified registry'* ]] && return 1
  printf 'wine-env: %s %s: exit code %s: %s / %s (running: %s)\n' "${tavlin_reg_tool:-$tavlin_reg}" "$1" "$2" \
    "$(tr -d '\r' <<<"$3" | head -c 300 | tr '\n' ' ')" "$(head -c 300 "$4" | tr -d '\r' | tr '\n' ' ')" \
    "$(wine_programs | tr '\n' ' ')" | tee -a "$tavlin_wine_work/reg-failures" >&2
  return 2
}

# wine_reg_query ARGS...: what "reg query ARGS" answers, without Windows
# line ends, exit code 0; 1 when the key or value is not there. Anything
# else is reg failing, not an absent key: its exit code and what it said
# on either stream are shown on the error stream, and the exit code is 2.
# Such a failure also fails the test when it ends, whatever a check made
# of the missing answer (an absent value is what some checks want).
# tavlin_reg_tool names another reg.exe (the 32-bit one in SysWOW64 sees
# the 32-bit view as that view's programs do).
# reg says "not there" on its output, like its answer. Its error stream
# goes to a file: Wine's services, when a program starts them anew, inherit
# it, and would hold a pipe open for seconds after reg has ended.
wine_reg_query() {
  local out rc err=$tavlin_wine_work/reg-query.err
  tavlin_reg_run "$tavlin_wine_work/reg-query.out" "$err" query "$@" && rc=0 || rc=$?
  # tr, not bash's own substitution: that takes seconds on the hundreds of
  # kilobytes a /s query of a big key answers.
  out=$(tr -d '\r' <"$tavlin_wine_work/reg-query.out")
  # An answer for a value names the key it was read from: one without is
  # an answer lost. (A key with no values and no subkeys answers nothing.)
  if ((rc == 0)) && [[ $out == *HKEY_* || " $* " != *' /v'[\ e]* ]]; then
    printf '%s\n' "$out"
    return 0
  fi
  tavlin_reg_failed "query $*" "$rc" "$out" "$err"
}

# wine_wait_programs [SECONDS [FILE]]: waits until none of the prefix's
# programs (of that file name, when given) runs (60 s at most); fails
# naming those still running.
wine_wait_programs() {
  local deadline=$((SECONDS + ${1:-60})) running
  while running=$(wine_programs "${2:-}") && [[ -n $running ]]; do
    if ((SECONDS >= deadline)); then
      echo "wine-env: still running after ${1:-60} s: $running" >&2
      return 1
    fi
    sleep 0.1
  done
}

# wine_start_server: the prefix's server for the rest of the test, with
# Wine's services. The services inherit the output of the program that
# starts them; started here, with none captured, a later caller that reads
# a program's output through a pipe is not left waiting on them.
wine_start_server() {
  wineserver -p
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
  tavlin_readers_start
}
wine_start_server
