#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# FIFOs, sockets and devices beyond the golden scenario fifos_and_devices_refused_or_written:
# a FIFO given as the output file while a reader has it open receives the
# whole output; a pipe named by /dev/fd is refused as the input file.
# Usage: fifos_and_devices.sh ARBORIX_TERM
source "$(dirname "$0")/lib.sh"

# The reader holds the FIFO open before the program asks for it (opened
# without waiting for a writer), and reads until the program closes it.
d=$(fresh)
mkfifo "$d/fifo"
timeout 20 python3 - "$d/fifo" "$d/received" "$d/ready" <<'PY' &
import os, select, sys
fd = os.open(sys.argv[1], os.O_RDONLY | os.O_NONBLOCK)
open(sys.argv[3], "w").close()
with open(sys.argv[2], "wb") as out:
    while True:
        select.select([fd], [], [])  # data, or the writer gone (never before one came)
        try:
            chunk = os.read(fd, 65536)
        except BlockingIOError:
            continue
        if not chunk:
            break
        out.write(chunk)
PY
reader=$!
for _ in $(seq 500); do [ -e "$d/ready" ] && break; sleep 0.02; done
(cd "$d" && printf '%s' "${ANSWERS/out.txt/fifo}" | timeout 20 "$PROG" > "$d/.console")
status=$?
wait $reader
check "FIFO as the output file: status $status" test $status -eq 0
check "FIFO as the output file: its reader received the whole output" cmp -s "$d/received" "$EXPECTED_OUT"

# A pipe under /dev/fd as the input file (typed with a leading blank, as a
# name starting with / bails out): refused at once, the prompt again.
d=$(fresh)
exec 5< <(cat "$d/in.txt")
(cd "$d" && printf '\n /dev/fd/5\n/\n\n' | timeout 20 "$PROG" > "$d/.console")
status=$?
exec 5<&-
check "/dev/fd pipe as the input file: status $status" test $status -eq 0
check "/dev/fd pipe as the input file: refused" grep -q "FILE CANNOT BE OPENED" "$d/.console"
finish
