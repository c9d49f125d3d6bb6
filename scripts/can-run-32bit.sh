#!/usr/bin/env bash
# Says whether this machine runs 32-bit programs, and with them 32-bit wine: exits 0 if it does,
# otherwise prints why not on one line and exits 1. It runs a tiny static 32-bit program made
# here for the purpose (the kernel's answer), then the 32-bit wine loader (the installation's).
# CW_NO_32BIT=1 answers as a machine that cannot would, so that the path is tested anywhere.
set -euo pipefail
if [ -n "${CW_NO_32BIT:-}" ]; then
  echo "CW_NO_32BIT is set, so this run behaves as on a machine that cannot run 32-bit programs"
  exit 1
fi
work="$(mktemp -d "${TMPDIR:-/tmp}/cw-probe32-XXXXXX")"
trap 'rm -rf "$work"' EXIT
# exit(0) by the 32-bit system call, nothing else: no loader, no library.
printf '.globl _start\n_start:\n  movl $1, %%eax\n  xorl %%ebx, %%ebx\n  int $0x80\n' >"$work/probe.s"
if ! as --32 "$work/probe.s" -o "$work/probe.o" 2>"$work/err" ||
  ! ld -m elf_i386 "$work/probe.o" -o "$work/probe" 2>>"$work/err"; then
  echo "the 32-bit probe program could not be built: $(head -1 "$work/err")"
  exit 1
fi
if ! "$work/probe" 2>"$work/err"; then
  echo "this machine's kernel does not run 32-bit programs (a static 32-bit program fails: $(
    sed 's/^.*: //' "$work/err" | head -1))"
  exit 1
fi
wine32=/usr/lib/wine/wine
if [ ! -x "$wine32" ]; then
  echo "32-bit wine is not installed ($wine32)"
  exit 1
fi
if ! "$wine32" --version >/dev/null 2>"$work/err"; then
  echo "the 32-bit wine loader does not start ($(sed 's/^.*line [0-9]*: //' "$work/err" | head -1))"
  exit 1
fi
