#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a checking tool and fails unless it succeeds and reports nothing:
#   check_quiet.sh TOOL ARG...
set -u
if ! command -v "$1" > /dev/null; then
  echo "$1 not found (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
out=$("$@" 2>&1)
status=$?
if [ $status -ne 0 ] || [ -n "$out" ]; then
  printf '%s\n' "$out"
  echo "$1 reported the above (status $status)" >&2
  exit 1
fi
