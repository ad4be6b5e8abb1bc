#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates AppStream metadata as a software centre would, without the
# network, and fails on any finding, pedantic ones included:
#   check_metainfo.sh FILE.metainfo.xml
set -u
if ! command -v appstreamcli > /dev/null; then
  echo "appstreamcli not found (scripts/install-deps.sh installs the package appstream)" >&2
  exit 1
fi
out=$(appstreamcli validate --no-net --pedantic --no-color "$1" 2>&1)
status=$?
printf '%s\n' "$out"
# Findings are lines "E:", "W:", "I:" or "P:" (error to pedantic).
if [ $status -ne 0 ] || grep -qE '^[EWIP]:' <<< "$out"; then
  echo "appstreamcli found the above in $1" >&2
  exit 1
fi
