#!/usr/bin/env python3
"""Writes the movements shipped with Mervalo into resources/schema/10 and resources/schema/11.

For every even number of pairs P from 4 to 20 and every number of rounds R from 3 to
min(12, P - 1) one Howell-style movement: the rounds are the first R rounds of a round robin
(circle method), so no two pairs meet twice; the R board sets are spread so that every pair plays
every set exactly once, hence every set is played P/2 times. Where there are more tables than
sets (P/2 > R), or where the search finds no better, some sets are at more than one table in a
round; the movement's name and header say so. An odd field plays the movement of P + 1 pairs with the highest pair as the phantom.

The output is deterministic: run it again and the files come out byte for byte the same.

    python3 tools/make_movements.py [OUTPUT_DIR]   (default: resources/schema beside tools/)
"""

import math
import os
import random
import sys

LANGUAGES = {
    10: {"pairs": "Paren", "rounds": "Ronden", "round": "Ronde", "kind": "Howell",
         "shared": "Howell gedeelde spellen",
         "header": "{P} paren, {R} ronden, {T} tafels; elk paar speelt elke set van spellen een keer",
         "note": "; sommige sets liggen in een ronde op meer dan een tafel (spellen delen of dubbel schudden)",
         "phantom": "; bij {Q} paren is paar {P} het spookpaar (stilzit)"},
    11: {"pairs": "Pairs", "rounds": "Rounds", "round": "Round", "kind": "Howell",
         "shared": "Howell shared boards",
         "header": "{P} pairs, {R} rounds, {T} tables; every pair plays every set of boards once",
         "note": "; some sets are at more than one table in a round (share or duplicate those boards)",
         "phantom": "; with {Q} pairs pair {P} is the phantom pair (sit-out)"},
}


def circle_rounds(p):
    """All p - 1 rounds of a round robin for p pairs: pair p stays, the others rotate."""
    rounds = []
    m = p - 1
    for r in range(m):
        seats = [p] + [((i + r) % m) + 1 for i in range(m)]
        tables = []
        for t in range(p // 2):
            a, b = seats[t], seats[p - 1 - t]
            # Alternate directions so that the fixed pair does not always sit North-South.
            tables.append((a, b) if (r + t) % 2 == 0 else (b, a))
        rounds.append(tables)
    return rounds


def layout(r, tables, sets, cap, step):
    """Board set of table t in round r: neighbouring tables share a set only when cap > 1; the
    step (coprime to the number of sets) spreads a round's sets over the whole range."""
    return [[(rd + step * (t // cap)) % sets for t in range(tables)] for rd in range(r)]


def seat(p, r, cap, step, seed, steps):
    """Places the pairs at the tables and the sets on the tables by simulated annealing.

    Start: R rounds of a round robin, so nobody meets twice, on a cyclic set layout. Moves swap
    two pairs of one round, or exchange the sets of two tables (which keeps every set at P/2
    tables). Cost: every set a pair plays more than once, every meeting beyond the first, and
    every table beyond `cap` that plays one set in one round. Returns the rounds (lists of
    (NS, EW)) and their sets, or None at the step limit.
    """
    tables = p // 2
    sets_of = layout(r, tables, r, cap, step)
    rng = random.Random(seed)
    order = list(range(p - 1))
    rng.shuffle(order)
    base = circle_rounds(p)
    seats = []
    for i in range(r):
        row = []
        for a, b in base[order[i]]:
            row += [a, b]
        # Tables are interchangeable within a round; shuffling them changes which set each plays.
        pairs = [row[2 * t:2 * t + 2] for t in range(tables)]
        rng.shuffle(pairs)
        seats.append([x for pr in pairs for x in pr])
    cnt = [[0] * r for _ in range(p + 1)]
    meet = [[0] * (p + 1) for _ in range(p + 1)]
    for i in range(r):
        for t in range(tables):
            a, b = seats[i][2 * t], seats[i][2 * t + 1]
            cnt[a][sets_of[i][t]] += 1
            cnt[b][sets_of[i][t]] += 1
            meet[a][b] += 1
            meet[b][a] += 1
    use = [[0] * r for _ in range(r)]
    for i in range(r):
        for t in range(tables):
            use[i][sets_of[i][t]] += 1
    cost = sum(max(0, c - 1) for row in cnt for c in row) + sum(max(0, meet[a][b] - 1) for a in range(1, p + 1) for b in range(a + 1, p + 1))
    cost += sum(max(0, c - cap) for row in use for c in row)
    for step_no in range(steps):
        if cost == 0:
            break
        temperature = 1.0 * (1 - step_no / steps) + 0.05
        if rng.random() < 0.3:
            # Exchange the sets of two tables anywhere: every set keeps its number of tables.
            i, j = rng.randrange(r), rng.randrange(r)
            a, b = rng.randrange(tables), rng.randrange(tables)
            sa, sb = sets_of[i][a], sets_of[j][b]
            if sa == sb:
                continue
            pa = (seats[i][2 * a], seats[i][2 * a + 1])
            pb = (seats[j][2 * b], seats[j][2 * b + 1])
            keys = {(x, s_) for x in pa + pb for s_ in (sa, sb)}
            uses = {(i, sa), (i, sb), (j, sa), (j, sb)}

            def local():
                return sum(max(0, cnt[x][s_] - 1) for x, s_ in keys) + sum(max(0, use[k][s_] - cap) for k, s_ in uses)

            before = local()

            def apply(fa, fb):
                for x in pa:
                    cnt[x][fa] -= 1
                    cnt[x][fb] += 1
                for x in pb:
                    cnt[x][fb] -= 1
                    cnt[x][fa] += 1
                use[i][fa] -= 1
                use[i][fb] += 1
                use[j][fb] -= 1
                use[j][fa] += 1
                sets_of[i][a], sets_of[j][b] = fb, fa

            apply(sa, sb)
            delta = local() - before
            if delta > 0 and rng.random() >= math.exp(-delta / temperature):
                apply(sb, sa)
                continue
            cost += delta
            continue
        i = rng.randrange(r)
        x, y = rng.randrange(p), rng.randrange(p)
        tx, ty = x // 2, y // 2
        if tx == ty:
            continue
        row = seats[i]
        X, Y = row[x], row[y]
        pX, pY = row[x ^ 1], row[y ^ 1]
        sx, sy = sets_of[i][tx], sets_of[i][ty]
        delta = 0
        if sx != sy:
            # X leaves sx for sy, Y leaves sy for sx.
            delta += (1 if cnt[X][sy] >= 1 else 0) - (1 if cnt[X][sx] >= 2 else 0)
            delta += (1 if cnt[Y][sx] >= 1 else 0) - (1 if cnt[Y][sy] >= 2 else 0)
        delta -= (1 if meet[X][pX] >= 2 else 0) + (1 if meet[Y][pY] >= 2 else 0)
        delta += (1 if meet[Y][pX] >= 1 else 0) + (1 if meet[X][pY] >= 1 else 0)
        if delta > 0 and rng.random() >= math.exp(-delta / temperature):
            continue
        if sx != sy:
            cnt[X][sx] -= 1
            cnt[X][sy] += 1
            cnt[Y][sy] -= 1
            cnt[Y][sx] += 1
        for a_, b_, d in ((X, pX, -1), (Y, pY, -1), (Y, pX, 1), (X, pY, 1)):
            meet[a_][b_] += d
            meet[b_][a_] += d
        row[x], row[y] = Y, X
        cost += delta
    if cost != 0:
        return None
    rounds = [[(seats[i][2 * t], seats[i][2 * t + 1]) for t in range(tables)] for i in range(r)]
    return rounds, sets_of


def movement(p, r):
    """The rounds and their sets, with as few tables sharing a set in a round as can be found.

    The fair share is ceil(tables / sets) tables a set a round; where that cannot be reached
    (four pairs over three rounds, for one) the share is raised one step at a time.
    """
    tables = p // 2
    for cap in range(max(1, -(-tables // r)), tables + 1):
        for seed in range(3):
            found = seat(p, r, cap, 1, seed, 600000)
            if found is not None:
                return found
    raise SystemExit(f"no movement found for {p} pairs and {r} rounds")


def rng_text(s):
    return f"({4 * s + 1}-{4 * s + 4})"


def write(out_dir, p, r, rounds, sets):
    shared = any(len(set(row)) < len(row) for row in sets)
    for lang, words in LANGUAGES.items():
        kind = words["shared"] if shared else words["kind"]
        name = f"{p:02d} {words['pairs']} {r:02d} {words['rounds']} {kind}.txt"
        header = f"{p:02d} {words['pairs']} {r:02d} {words['rounds']} {kind}: " + words["header"].format(P=p, R=r, T=p // 2)
        if shared:
            header += words["note"]
        header += words["phantom"].format(P=p, Q=p - 1)
        lines = [header]
        for i, tables in enumerate(rounds):
            cells = [f"{a}-{b} {rng_text(sets[i][t])}" for t, (a, b) in enumerate(tables)]
            lines.append("\t".join([f"{words['round']} {i + 1}"] + cells))
        folder = os.path.join(out_dir, str(lang))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name), "wb") as f:
            f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    if len(sys.argv) > 2 or (len(sys.argv) == 2 and sys.argv[1].startswith("-")):
        print(__doc__)
        return
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "schema")
    count = 0
    for p in range(4, 21, 2):
        for r in range(3, min(12, p - 1) + 1):
            rounds, sets = movement(p, r)
            write(out_dir, p, r, rounds, sets)
            count += 1
    print(f"{count} movements in each language written to {os.path.normpath(out_dir)}")


if __name__ == "__main__":
    main()
