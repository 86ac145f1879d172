#!/bin/bash
# SPDX-License-Identifier: MIT
# The rollwright command-line tool as its users meet it.
# Usage: tool_test.sh PATH_TO_ROLLWRIGHT FIXED_ENTROPY_LIBRARY
set -u
tool=$1
fixed_entropy=$2
failures=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1"; echo "  expected: $2"; echo "  actual:   $3"
    failures=$((failures + 1))
  fi
}

# From seed 1 the module answers this request so (the host test pins it).
check "reply matches the module's" \
  "rolls 3#2d6+1 fire and gets 11, 9, 8" "$("$tool" --seed 1 "3#2d6+1 fire")"

arguments=$("$tool" --seed 7 "3d6 skill 12 sword" "2#d20+2 skill 14 dodge" "-2d6")
piped=$(printf '3d6 skill 12 sword\n2#d20+2 skill 14 dodge\r\n-2d6\n' | "$tool" --seed 7)
check "standard input answers as arguments do" "$arguments" "$piped"
check "one reply per request" 3 "$(echo "$arguments" | wc -l)"
check "a seed repeats" "$arguments" \
  "$("$tool" --seed=7 "3d6 skill 12 sword" "2#d20+2 skill 14 dodge" "-2d6")"

"$tool" --seed 1 3d6 "30#d20" >/dev/null
check "all sentences exit 0" 0 $?
errors=$("$tool" --seed 1 3d6 "2d6/2")
check "an error reply exits 1" 1 $?
check "the error goes to standard output" "Dice Error: Illegal characters in input!" \
  "$(echo "$errors" | tail -1)"
# An error anywhere among the requests, given or read, makes the status 1.
"$tool" --seed 1 "2d6/2" 3d6 >/dev/null
check "an error before a sentence exits 1" 1 $?
printf '2d6/2\n3d6\n' | "$tool" --seed 1 >/dev/null
check "an error read before a sentence exits 1" 1 $?
check "--odds prints the odds, not a roll" "odds of d4+1:" \
  "$("$tool" --odds d4+1 | head -1)"
# A bad command line: one line that says why, then the usage, and status 2.
# Options that do not go together are named both.
usage=$("$tool" --help | sed -n '/^usage/,/REQUEST \.\.\.\]$/p')
check "the usage is the first three lines of --help" 3 "$(echo "$usage" | wc -l)"
for bad in "--seed 4294967296" "--seed -1" "--seed" "--seed=12x" "--frobnicate" \
           "--fairness 0" "--fairness 100000001" "--fairness --odds" \
           "--odds --format=xml" "--format=csv" "-s 3" "-x" \
           "--dice --json:--dice --json" "--fairness 9 --odds:--fairness --odds" \
           "--dice --fairness 9:--fairness --dice" "--json --odds:--odds --json"; do
  names=""
  case $bad in *:*) names=${bad#*:}; bad=${bad%%:*} ;; esac
  message=$("$tool" $bad 3d6 2>&1 >/dev/null)
  check "'$bad' exits 2" 2 $?
  check "'$bad' gives a line on standard error, then the usage" "$usage" \
    "$(echo "$message" | sed 1d)"
  [ -z "$names" ] || check "'$bad' names both" \
    "rollwright: ${names% *} does not go with ${names#* }" \
    "$(echo "$message" | head -1 | cut -d: -f1-2)"
done
check "-- ends the options: what follows is a request" \
  "$(printf '%s\n' "Dice Error: Invalid operand in dice commands!" "rolls -d6 and gets -5" \
    "Dice Error: Illegal characters in input!")" "$("$tool" --seed 1 -- -5 -d6 --dice)"
check "--seed 4294967295 is a seed" 0 "$("$tool" --seed 4294967295 d6 >/dev/null; echo $?)"
check "--version" "rollwright 0.1.0" "$("$tool" --version)"
"$tool" --help | grep -q "skill" && "$tool" --help | grep -q "2+3\*4"
check "--help shows the syntax" 0 $?
check "-h is --help" "$("$tool" --help)" "$("$tool" -h)"

# The dice behind each total, from the roll that made the reply.
check "--dice shows each set's faces under the reply" \
  "$(printf '%s\n' "rolls 2#3d6+2 fire and gets 15, 14" "3d6+2  [5 5 3] +2 = 15" \
    "3d6+2  [5 5 2] +2 = 14")" "$("$tool" --seed 1 --dice "2#3d6+2 fire")"
check "--dice marks a Critical Failure's twenty" "d20+d20  [20!] +[17] = 37" \
  "$("$tool" --seed 19 --dice "d20+d20 skill 14" | tail -1)"
check "--dice hints on standard error at a likely slip" \
  "hint: read as «2d6» with the comment «+ 3»: the expression ends at the first space; write «2d6+3»" \
  "$("$tool" --seed 1 --dice "2d6 + 3" 2>&1 >/dev/null)"
check "--dice hints at an error reply's likely cause too" \
  "hint: write «d» in lower case: «3D6» → «3d6»" \
  "$("$tool" --seed 1 --dice "3D6" 2>&1 >/dev/null)"
check "--dice lines read as arithmetic give the total" "$(printf '%s\n' \
  "10-2d6+5  10 -([1 2] +5) = 2" "1+2*3d6  (1 +2) *[5 5 3] = 39" \
  "2d6+3*2  ([5 5] +3) *2 = 26")" "$("$tool" --seed 3 --dice "10-2d6+5" 2>/dev/null | tail -1
  "$tool" --seed 1 --dice "1+2*3d6" "2d6+3*2" 2>/dev/null | grep -v '^rolls')"
check "a pipe's replies get no hint" "" "$("$tool" --seed 1 "2d6 + 3" 2>&1 >/dev/null)"
# --json: one object per request that a JSON parser reads, with the reply's
# exact bytes, how the request was read, and the faces that sum to each total.
json=$("$tool" --seed 1 --json "2#3d6+2 skill 14 épée" "2d6/2")
check "--json exits 1 after an error" 1 $?
check "--json holds what the reply and --dice show" "$(printf '%s\n' \
  "rolls 2#3d6+2 against 14 épée and gets 15 Failing, 14 for an Ordinary Success" \
  "2 3d6+2 14 14 épée" "15 Failing False [5, 5, 3]" \
  "14 Ordinary Success False [5, 5, 2]" \
  "Dice Error: Illegal characters in input! True")" \
  "$(echo "$json" | python3 -c '
import json, sys
first, error = (json.loads(line) for line in sys.stdin)
read = first["read"]
print(first["reply"])
print(read["sets"], read["expression"], read["skill"], read["comment"])
for s in first["sets"]:
    print(s["total"], s["grade"], s["critical"], s["dice"][0]["faces"])
print(error["error"], error["reply"] == error["error"] and "sets" not in error)')"

# The odds as data: JSON and CSV that parsers read, with the same figures
# as each other and as the text report; a refusal in each form.
odds_text=$("$tool" --odds "2#3d6 skill 12 sword")
odds_json=$("$tool" --odds --format=json "2#3d6 skill 12 sword")
odds_csv=$("$tool" --odds --format=csv "2#3d6 skill 12 sword")
check "--format=json and csv agree with each other and the text" \
  "16 True True True True True" "$(python3 -c '
import csv, io, json, sys
text, odds, table = sys.argv[1:]
o = json.loads(odds)
totals, outcomes, successes = table.split("\n\n")
counts = [[float(r["successes"]), float(r["chance"])]
          for r in csv.DictReader(io.StringIO(successes))]
rows = list(csv.DictReader(io.StringIO(totals)))
grades = {r["outcome"]: float(r["chance"]) for r in csv.DictReader(io.StringIO(outcomes))}
same = all([float(r[k]) for k in ("total", "chance", "at_least", "at_most")] == t
           for r, t in zip(rows, o["totals"]))
words = list(grades)[:4]
shown = all(f"{w:<18}{100 * g:6.2f}%" in text for w, g in zip(words, o["grades"]))
print(len(rows), same and len(rows) == len(o["totals"]), shown,
      grades["Critical Failure"] == o["critical"],
      o["expression"] == "3d6" and o["comment"] == "12 sword" and o["sets"] == 2,
      counts == [[k, c] for k, c in enumerate(o["successes"])] and len(counts) == 3)
' "$odds_text" "$odds_json" "$odds_csv")"
check "--format=csv gives a d20's critical chance without a skill test" \
  "$(printf '%s\n' "" "outcome,chance" "Critical Failure,0.04998779296875")" \
  "$("$tool" --odds --format=csv "2#d20+1" | sed -n '/^$/,$p')"
check "anyCritical: at least one set of three a Critical Failure" \
  "0.04998779296875 0.142592" "$("$tool" --odds --format=json "3#d20" | python3 -c '
import json, sys
o = json.load(sys.stdin)
print(o["critical"], round(o["anyCritical"], 6))')"
check "--format=json refuses as JSON, with status 1" \
  "$(printf '%s\n' '{"request":"2D6","refused":"Dice Error: Illegal characters in input!"}' 1)" \
  "$("$tool" --odds --format=json 2D6; echo $?)"
check "--format=csv refuses on standard error alone, with status 1" \
  "$(printf '%s\n' "odds of 2D6: Dice Error: Illegal characters in input!" 1)" \
  "$("$tool" --odds --format=csv 2D6 2>&1 >/dev/null; echo $?; "$tool" --odds --format=csv 2D6 2>/dev/null)"

# --fairness: the module's dice against the exact odds, repeatable when
# seeded, as JSON a parser reads; the odds' refusal refuses the check.
fair=$("$tool" --seed 3 --fairness 20000 --json "3d6 skill 12")
check "a seeded check of fairness repeats" "$fair" \
  "$("$tool" --seed 3 --fairness 20000 --json "3d6 skill 12")"
check "--fairness --json: bins, counts and the test" "16 16 20000 15 True 3" \
  "$(echo "$fair" | python3 -c '
import json, sys
r = json.load(sys.stdin)
print(len(r["observed"]), len(r["expected"]), sum(r["observed"].values()),
      r["degreesOfFreedom"], 0 <= r["pValue"] <= 1, r["grades"]["degreesOfFreedom"])')"
fair_text=$("$tool" --seed 3 --fairness 2000 "3d6 skill 12")
check "--fairness's text: no bin that expects nothing, and what p means" \
  "Failing 0 p is the chance that fair dice stray this far or further from the odds; fair dice give p below 0.01 once in 100 checks." \
  "$(echo "$fair_text" | grep -o '^  Failing\S*' | tr -d ' ') $(echo "$fair_text" | grep -c Critical) $(echo "$fair_text" | tail -1)"
check "--fairness refuses as the odds do, with status 1" \
  "$(printf '%s\n' "fairness of 100d500*100d500*100d500: the odds are known only between bounds, too loosely to test against" 1)" \
  "$("$tool" --fairness 10 "100d500*100d500*100d500"; echo $?)"
# Without a seed, every run rolls its own: ten runs in well under a second
# give ten different lists (seeded from the clock's seconds, they would not).
unseeded=$(for run in 1 2 3 4 5 6 7 8 9 10; do "$tool" "10#d20"; done)
check "ten unseeded runs roll ten different lists" 10 \
  "$(echo "$unseeded" | sort -u | wc -l)"
# Without a seed the system's random source seeds it: a source that answers
# 7 (fixed_entropy.c) rolls what --seed 7 rolls.
check "an unseeded run seeds from the system's random source" \
  "$("$tool" --seed 7 "10#d20")" "$(LD_PRELOAD=$fixed_entropy "$tool" "10#d20")"

# Interactive: each reply arrives before the next request is sent.
coproc ROLL { "$tool" --seed 1; }
pid=$ROLL_PID
for expected in "rolls a d500 and gets 347" "rolls a d500 and gets 131"; do
  echo "d500" >&"${ROLL[1]}"
  reply=""
  read -r -t 10 reply <&"${ROLL[0]}"
  check "interactive reply" "$expected" "$reply"
done
exec {ROLL[1]}>&-
wait "$pid"
check "interactive session ends with standard input" 0 $?

echo "$failures failed"
[ "$failures" -eq 0 ]
