#!/usr/bin/env bash
# Today, and the age that counts from it, at month and year boundaries under
# every form the TZ variable takes, on a clock frozen by faketime: the date
# must be the one `date` shows under the same zone and clock.
#
#   local_today_test.sh PROBE
set -uo pipefail
probe=$1
. "$NIC_TEST_SUPPORT/faked_clock.sh"

zones=(
    '<-10>10'
    '<+14>-14'
    ':Pacific/Kiritimati'
    /usr/share/zoneinfo/America/New_York
    Asia/Colombo
    UTC
)
# Local clock time | age of 811231234V (born May 1981) on that date
moments=(
    '2026-12-31 23:59:59|45  Years   &   7  Month'
    '2027-01-01 00:00:00|45  Years   &   8  Month'
    '2026-04-30 23:59:59|44  Years   &   11  Month'
    '2026-05-01 00:00:00|45  Years   &   0  Month'
)

failed=0
for zone in "${zones[@]}"; do
    for moment in "${moments[@]}"; do
        stamp=${moment%%|*}
        age=${moment#*|}
        shown=$(TZ=$zone LD_PRELOAD=$faketime_library FAKETIME=$stamp date +%F)
        if [ "$shown" != "${stamp%% *}" ]; then
            echo "TZ=$zone $stamp: faketime and date disagree ($shown); cannot judge" >&2
            failed=1
            continue
        fi
        got=$(TZ=$zone LD_PRELOAD=$faketime_library FAKETIME=$stamp "$probe")
        want="$shown|$age"
        if [ "$got" != "$want" ]; then
            echo "TZ=$zone $stamp: got '$got', want '$want'" >&2
            failed=1
        fi
    done
done
exit $failed
