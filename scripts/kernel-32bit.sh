#!/usr/bin/env bash
# Can this machine's kernel run 32-bit x86 programs at all? Some hosts run
# 64-bit user code only: there execve of any i386 program fails with
# ENOEXEC (bash: exit code 126, "Exec format error"), and no package can
# mend that. Wine's 32-bit loader is the program tried.
#   exit 0: it runs them; 1: the kernel refuses them (the reason is
#   printed); 2: there is no 32-bit program to try (wine32 is missing).
probe=/usr/lib/wine/wine
if [[ ! -x $probe ]]; then
  echo "no $probe to try (Debian's wine32:i386 is not installed)"
  exit 2
fi
"$probe" --version >/dev/null 2>&1
if (($? == 126)); then
  echo "this machine's kernel runs no 32-bit programs (execve of $probe: Exec format error)"
  exit 1
fi
exit 0
