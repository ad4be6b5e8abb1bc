#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A run is repeated from what it leaves behind: answers.txt of --export
# holds the answers exactly as typed, and typed into the program again in
# the same folder it writes the same output file; --record FILE gives the
# same answers without an export; run.json names the data and output files
# by their SHA-256 as sha256sum computes it.
#   reproducible_run.sh path/to/arborix-term examples-folder
set -eu
prog=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/ukmo_tmax_layout1.txt" "$work/data.txt"
cd "$work"
fail=0
# A method the menu does not offer first: the recorded answers repeat it.
printf '%s\n' "" data.txt 0 out.txt 111111111111 1 -99.9 n 7 2 "" > typed.txt
timeout 60 "$prog" --export exp < typed.txt > first.console
cmp typed.txt exp/answers.txt || { echo "answers.txt differs from the answers typed"; fail=1; }
mv out.txt first.txt
timeout 60 "$prog" < exp/answers.txt > again.console
cmp first.txt out.txt || { echo "the replayed run wrote another output file"; fail=1; }
cmp first.console again.console || { echo "the replayed run wrote another transcript"; fail=1; }

timeout 60 "$prog" --record=rec.txt < typed.txt > /dev/null
cmp typed.txt rec.txt || { echo "--record differs from the answers typed"; fail=1; }
# A bail-out at the welcome is recorded too.
printf '/\n' | timeout 20 "$prog" --record bail.txt > /dev/null
[ "$(cat bail.txt)" = / ] || { echo "bail-out not recorded"; fail=1; }
# A record that cannot be written: status 3 with the system's text.
status=0
timeout 60 "$prog" --record no/such/folder.txt < typed.txt > /dev/null 2> err || status=$?
[ "$status" = 3 ] || { echo "unwritable record: status $status"; fail=1; }
grep -q "cannot write the answers: no/such/folder.txt: No such file or directory" err || { cat err; fail=1; }

python3 - exp/run.json data.txt "$(sha256sum < data.txt | cut -d' ' -f1)" out.txt \
  "$(sha256sum < first.txt | cut -d' ' -f1)" <<'PY' || fail=1
import json, os, sys
path, data, data_sum, out, out_sum = sys.argv[1:6]
run = json.load(open(path))
problems = []
def want(what, got, expected):
    if got != expected:
        problems.append(f"{what}: {got!r}, expected {expected!r}")
want("data file", run["data_file"], {"path": data, "size": os.path.getsize(data), "sha256": data_sum})
want("output file", run["output_file"]["sha256"], out_sum)
want("mask", run["mask"], "111111111111")
want("layout", run["layout"], "(I4/I5,12F5.1)")
want("flag", run["flag"], -99.9)
want("method", run["method"]["number"], 2)
want("common interval", run["common_interval"], {"first": 1978, "last": 2000, "years": 23})
want("working folder", run["working_folder"], os.getcwd())
want("command line", run["command_line"][1:], ["--export", "exp"])
want("checks", sorted(run["data_check"]), sorted(["year_sequence", "undefined_statistics", "zero_sd",
                                                 "no_common_values", "outlier", "low_correlation"]))
want("settings", sorted(run["settings"]), ["OMP_NUM_THREADS", "TABSIZE", "VELMOR_RT_FLAGS"])
for t in ("started", "ended"):
    if not (len(run[t]) == 20 and run[t].endswith("Z") and run[t][10] == "T"):
        problems.append(f"{t}: {run[t]!r}")
print("\n".join(problems))
sys.exit(1 if problems else 0)
PY
exit $fail
