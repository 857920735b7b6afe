#!/usr/bin/env python3
"""Writes tests/moment/data/zone_answers.txt.gz: the offsets of every zone of
the system's tzdata, read by Python's zoneinfo, for the zone test.

For each zone (the "Z" lines of /usr/share/zoneinfo/tzdata.zi) it records
  - every transition from 1900-01-01 to 2101-01-01 UTC: the explicit ones of
    the compiled file, and after the last of them the ones its closing rule
    (the TZif footer) gives, found by a daily scan and bisection to the second;
  - the answers at 1,000 instants per zone drawn uniformly from that range by
    splitmix64 from a fixed seed, one stream through the zones in file order
    (the test draws the same instants).

An answer is (UTC offset, standard offset, daylight saving in force).  The UTC
offset and whether saving is in force (dst() non-zero) are zoneinfo's.  The
compiled files hold no standard offset, only the flag, so it is derived from
the periods (maximal spans of one offset and flag) by this rule:
  - a period without the flag is standard time, unless the periods on both
    sides of it carry the flag with a smaller offset: then those are winter
    time recorded as a negative saving (Europe/Dublin since 1971, Namibia
    1994-2017, Morocco since 2018), this period is summer time and the
    standard offset is the earlier neighbour's;
  - a period with the flag takes the offset of the nearest period without it
    (up to 8 periods away) before it or after it: of those that differ from
    its own offset the one nearer to it (the earlier on a tie), an hour less
    when there is no such period at all; when that is larger, the saving is
    negative and the period is standard time itself; when no neighbour
    differs, no saving is in force.
This is tzdata's own "rearguard" reading of negative saving.  zoneinfo's dst()
is only used as the flag: its value follows the flag literally (Dublin's
winter is -1 h), and the header counts the answers where dst() differs from
UTC offset minus the standard offset of this rule.

Format (text, gzip-compressed):
  V <tzdata version>            S <seed> <instants per zone> <first> <end>
  Z <zone name>
  C <utc>,<std>,<dst> ...       the zone's answers, coded 0-9A-Za-z in order
  T <code> <delta>:<code> ...   the answer before the first transition, then
                                each transition as seconds since the previous
                                one (the first: since <first>) and the answer
                                from it on
  R <codes>                     the answers at the zone's random instants
Run: python3 tools/gen_zone_table.py [output]
"""

import gzip
import os
import struct
import sys
from datetime import datetime, timezone
from zoneinfo import ZoneInfo

ZONEINFO = "/usr/share/zoneinfo"
SEED = 20261208
PER_ZONE = 1000
FIRST = int(datetime(1900, 1, 1, tzinfo=timezone.utc).timestamp())
END = int(datetime(2101, 1, 1, tzinfo=timezone.utc).timestamp())
SCAN_END = int(datetime(2104, 1, 1, tzinfo=timezone.utc).timestamp())
DAY = 86400
WALK = 8
CODES = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
MASK = (1 << 64) - 1


def splitmix64(state):
    state = (state + 0x9E3779B97F4A7C15) & MASK
    z = state
    z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK
    z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK
    return state, z ^ (z >> 31)


def version_and_zones():
    version, zones = None, []
    with open(os.path.join(ZONEINFO, "tzdata.zi"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("# version "):
                version = line.split()[2]
            elif line.startswith("Z "):
                zones.append(line.split()[1])
    return version, sorted(zones)


def explicit_transitions(name):
    """The transition instants of the compiled file's 64-bit data."""
    with open(os.path.join(ZONEINFO, name), "rb") as f:
        data = f.read()

    def header(at):
        assert data[at:at + 4] == b"TZif", name
        counts = struct.unpack(">6l", data[at + 20:at + 44])
        return data[at + 4:at + 5], counts

    version, (isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt) = header(0)
    assert version >= b"2", name
    skip = 44 + timecnt * 5 + typecnt * 6 + charcnt + leapcnt * 8 + isstdcnt + isutcnt
    _, (_, _, _, timecnt, _, _) = header(skip)
    return list(struct.unpack(">%dq" % timecnt, data[skip + 44:skip + 44 + timecnt * 8]))


def answer_at(zone, t):
    local = datetime.fromtimestamp(t, tz=zone)
    return int(local.utcoffset().total_seconds()), local.dst().total_seconds() != 0


def later_transitions(zone, start):
    """Changes of (offset, flag) after `start`, from the closing rule."""
    found = []
    t, here = start, answer_at(zone, start)
    while t < SCAN_END:
        nxt = min(t + DAY, SCAN_END)
        there = answer_at(zone, nxt)
        if there != here:
            lo, hi = t, nxt  # answer(lo) == here, answer(hi) differs
            while hi - lo > 1:
                mid = (lo + hi) // 2
                if answer_at(zone, mid) == here:
                    lo = mid
                else:
                    hi = mid
            found.append(hi)
            here = answer_at(zone, hi)
            t = hi
        else:
            t = nxt
    return found


def periods_of(zone, instants):
    """[(begin, offset, flag)] merged over equal neighbours."""
    periods = [(None,) + answer_at(zone, instants[0] - 1)] if instants else []
    for t in instants:
        a = answer_at(zone, t)
        if not periods or periods[-1][1:] != a:
            periods.append((t,) + a)
    if not periods:
        periods.append((None,) + answer_at(zone, FIRST))
    return periods


def standard_offsets(periods):
    """The standard offset and saving flag of each period, by the rule above."""
    out = []
    for i, (_, offset, flag) in enumerate(periods):
        if not flag:
            before = periods[i - 1] if i > 0 else None
            after = periods[i + 1] if i + 1 < len(periods) else None
            if (before and after and before[2] and after[2] and before[1] < offset
                    and after[1] < offset):
                out.append((before[1], True))
            else:
                out.append((offset, False))
            continue
        def nearest(indices):
            for j in indices:
                if not periods[j][2]:
                    return periods[j][1]
            return None

        before = nearest(range(i - 1, max(i - 1 - WALK, -1), -1))
        after = nearest(range(i + 1, min(i + 1 + WALK, len(periods))))
        differing = [o for o in (before, after) if o is not None and o != offset]
        if differing:
            standard = min(differing, key=lambda o: abs(offset - o))  # the earlier on a tie
        elif before is not None or after is not None:
            standard = offset
        else:
            standard = offset - 3600
        out.append((offset, False) if offset < standard else (standard, standard != offset))
    return out


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "tests", "moment", "data", "zone_answers.txt.gz")
    version, zones = version_and_zones()
    lines = ["# Every zone of tzdata %s read by Python's zoneinfo: generated by "
             "tools/gen_zone_table.py; do not edit, regenerate." % version,
             "V %s" % version, "S %d %d %d %d" % (SEED, PER_ZONE, FIRST, END)]
    state = SEED
    rows = 0
    differ = {}
    for name in zones:
        zone = ZoneInfo(name)
        explicit = explicit_transitions(name)
        last = explicit[-1] if explicit else FIRST - DAY
        instants = explicit + later_transitions(zone, max(last, FIRST - DAY))
        periods = periods_of(zone, instants)
        standards = standard_offsets(periods)
        begins = [p[0] for p in periods]

        def answer(t):
            # The period holding t: the last one begun at or before it.
            lo, hi = 0, len(periods)
            while hi - lo > 1:
                mid = (lo + hi) // 2
                if begins[mid] <= t:
                    lo = mid
                else:
                    hi = mid
            offset, flag = answer_at(zone, t)
            assert (offset, flag) == periods[lo][1:], (name, t)
            return (offset,) + standards[lo]

        codes = {}

        def code(t):
            nonlocal rows
            a = answer(t)
            rows += 1
            if a[0] - a[1] != int(datetime.fromtimestamp(t, tz=zone).dst().total_seconds()):
                differ[name] = differ.get(name, 0) + 1
            if a not in codes:
                codes[a] = CODES[len(codes)]
            return codes[a]

        transitions = [t for t in instants if FIRST <= t < END]
        steps, previous = [code(FIRST)], FIRST
        for t in transitions:
            code(t - 1)
            steps.append("%d:%s" % (t - previous, code(t)))
            previous = t
        randoms = []
        for _ in range(PER_ZONE):
            state, x = splitmix64(state)
            randoms.append(code(FIRST + x % (END - FIRST)))
        lines.append("Z " + name)
        lines.append("C " + " ".join("%d,%d,%d" % (u, s, int(d)) for u, s, d in codes))
        lines.append("T " + " ".join(steps))
        lines.append("R " + "".join(randoms))
    lines.insert(1, "# %d answers in %d zones; zoneinfo's dst() differs from UTC offset minus "
                 "standard offset in %d: %s." % (rows, len(zones), sum(differ.values()),
                                                ", ".join("%s %d" % d for d in sorted(differ.items()))))
    with gzip.GzipFile(output, "wb", mtime=0) as f:
        f.write(("\n".join(lines) + "\n").encode())


if __name__ == "__main__":
    main()
