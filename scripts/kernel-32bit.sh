#!/usr/bin/env bash
# Can this machine run 32-bit x86 programs at all? Some hosts run 64-bit
# user code only: there execve of any i386 program fails with ENOEXEC
# (bash: exit code 126, "Exec format error") unless an interpreter for them
# is registered with binfmt_misc (setup.sh registers qemu's user-mode
# emulator on such a host). The program tried is the smallest i386 Linux
# program there is, exit(0), so that the answer does not wait for wine32.
#   exit 0: 32-bit programs run (how, on stdout, when it is an emulator);
#   1: the kernel refuses them (the reason is printed);
#   2: they would run, but there is no wine32 to run Windows' ones.
# With --kernel only the first question is asked (0 or 1).
probe_hex=7f454c46010101000000000000000000020003000100000054800408340000000000000000000000
probe_hex+=340020000100000000000000010000000000000000800408008004085d0000005d00000005000000
probe_hex+=0010000031dbb801000000cd80
probe=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
printf "$(sed 's/../\\x&/g' <<<"$probe_hex")" >"$probe"
chmod +x "$probe"
out=$("$probe" 2>&1)
rc=$?
if ((rc != 0)); then
  if [[ $out == *"Exec format error"* ]]; then
    echo "this machine's kernel runs no 32-bit programs (execve of an i386 program: Exec format error)"
  else
    echo "an i386 program could not run here (exit code $rc: $out)"
  fi
  exit 1
fi
emulator=
for entry in /proc/sys/fs/binfmt_misc/*; do
  [[ -f $entry ]] && grep -qx enabled "$entry" 2>/dev/null || continue
  grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry" || continue
  emulator=$(sed -n 's/^interpreter //p' "$entry")
done
[[ ${1:-} == --kernel ]] && exit 0
if [[ ! -x /usr/lib/wine/wine ]]; then
  echo "no /usr/lib/wine/wine to run 32-bit Windows programs (Debian's wine32:i386 is not installed)"
  exit 2
fi
[[ -n $emulator ]] && echo "32-bit programs run through $emulator (the kernel runs none itself)"
exit 0
