#!/usr/bin/env python3
"""regsvr32_starts.py TRACE: from Wine's trace of process starts
(WINEDEBUG=trace+process), each regsvr32 started, in order, one a line: the
program as asked for, then its options, the add-in named i686 or x64 (e.g.
C:\\windows\\Sysnative\\regsvr32.exe /u /s x64).

Which tool a program asked for cannot be read off the registry under Wine:
Wine's 32-bit regsvr32 hands a 64-bit DLL on to the 64-bit one, which
Windows' does not, so a caller asking the wrong tool would still register
it. Such a hand-on shows here as one more start."""
import re
import sys

# A caller that gives only a command line shows its program as (null).
START = re.compile(r'CreateProcessInternalW app (?:L"(.*?)"|\(null\)) cmdline L"(.*)"$')
# The program at the head of a command line, quoted or not.
HEAD = re.compile(r'^\s*(?:"([^"]*)"|(\S+))\s*')


def unescape(text):
    # Wine writes the texts with backslash escapes: \\ \" and \hhhh.
    return re.sub(r'\\([\\"])', r"\1", text)


def main(trace_path):
    with open(trace_path, encoding="latin-1") as trace:
        for line in trace:
            found = START.search(line.rstrip("\n"))
            if not found:
                continue
            app, command = (unescape(text or "") for text in found.groups())
            head = HEAD.match(command)
            program = app or (head and (head.group(1) or head.group(2))) or ""
            if not program.lower().endswith("\\regsvr32.exe"):
                continue
            options = command[head.end():] if head else command
            options = re.sub(r'"[^"]*\\x64\\TavlinAddin\.dll"', "x64", options)
            options = re.sub(r'"[^"]*\\TavlinAddin\.dll"', "i686", options)
            print(program, options.strip())


if __name__ == "__main__":
    main(sys.argv[1])
