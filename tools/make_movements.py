#!/usr/bin/env python3
"""Writes the movements shipped with Mervalo into resources/schema/10 and resources/schema/11,
and the record of how each was built into tools/movements-record.txt.

For every even number of pairs P from 4 to 20 and every number of rounds R from 3 to
min(12, P - 1) one Howell-style movement with R board sets in which every pair plays every set
once (so every set is played P/2 times). The rules, in order of weight:
  1. every pair at one table each round, every set played P/2 times, nobody playing a set twice;
  2. no two pairs meeting twice;
  3. no set at two tables in one round when there are at least as many sets as tables;
  4. with more tables than sets, no set at more than ceil(tables / sets) tables in a round and
     every set in play in every round; where rule 3 cannot be kept, as few tables at one set as
     possible, then as few shared tables as possible.
Nobody meeting twice is kept in every file, ahead of rule 3: boards can be carried between two
tables, a second meeting cannot be mended. Where that forces a shared set although the numbers
alone would not, exhaustive searches prove it and the record says so.

A movement with no shared set for P pairs and R rounds is what design theory calls a Howell
design H(R, P). The generator builds them in this order:
  - cyclic: a starter and adder in Z_R. The pairs are q classes of R rotating pairs plus k
    stationary pairs; round r is round 1 with every rotating pair moved on r places and every
    set moved on r places. Distinct differences keep pairs from meeting twice, the adder keeps
    every pair to every set once. The same construction with up to ceil(tables / sets) tables a
    set gives the movements with more tables than sets. With P = 2R - 2 and R odd it cannot
    exist (the shifts of the rotating pairs cannot sum to those of Z_R), which needs no search;
  - one fixed round: Z_(R-1) moves R - 1 rounds and R - 1 sets, the last round and the last set
    stay fixed (2(R - 1) pairs, none stationary), for the cases where no cyclic one exists;
  - an exact-cover search (algorithm X, branching on the requirement with the fewest ways left)
    where neither construction gives one (H(6,8), H(8,10)). Run to its end it proves that a case
    has no movement at all: 4 pairs 3 rounds, 6 pairs 5 rounds and 8 pairs 5 rounds (Room
    squares of side 3 and 5 and the Howell design H(5,8) do not exist, as theory says). For
    those a backtracking over the rounds, again run to its end, finds the fewest tables at one
    set and then the fewest shared tables that a movement without second meetings needs.
Where a construction leaves choices (several starters, the direction of every table) the
generator keeps the best balance: the smallest spread of the board sets two pairs play in the
same direction (the figure mervalo-cli schema-check reports), then the smallest difference
between the same and the opposite direction. An odd field plays the movement of P + 1 pairs
with the highest pair as the phantom; where the movement has stationary pairs that is one of them.

The output is deterministic: run it again and the files come out byte for byte the same (every
search is seeded and walks its options in a fixed order). The whole library takes about 10
seconds.

    /usr/bin/python3 tools/make_movements.py [OUTPUT_DIR [RECORD_FILE]]
    (default: resources/schema and tools/movements-record.txt beside this file)
"""

import math
import os
import random
import sys

LANGUAGES = {
    10: {"pairs": "Paren", "rounds": "Ronden", "round": "Ronde", "kind": "Howell",
         "shared": "Howell gedeelde spellen",
         "header": "{P} paren, {R} ronden, {T} tafels; elk paar speelt elke set van spellen een keer en ontmoet elk ander paar hooguit een keer",
         "note": "; sommige sets liggen in een ronde op meer dan een tafel (spellen delen of dubbel schudden)",
         "phantom": "; bij {Q} paren is paar {P} het spookpaar (stilzit)"},
    11: {"pairs": "Pairs", "rounds": "Rounds", "round": "Round", "kind": "Howell",
         "shared": "Howell shared boards",
         "header": "{P} pairs, {R} rounds, {T} tables; every pair plays every set of boards once and meets every other pair at most once",
         "note": "; some sets are at more than one table in a round (share or duplicate those boards)",
         "phantom": "; with {Q} pairs pair {P} is the phantom pair (sit-out)"},
}

# Bounds that keep the whole run well under a minute; every search is seeded, so the bounds
# change how long a run takes, never what it writes for a given set of bounds.
CANDIDATES = 4          # designs compared for balance per movement
CONSTRUCTION_NODES = 3000  # positions per seeded run of a construction's search
SEARCH_NODES = 20000    # positions per seeded search run
SEARCH_SEEDS = 400      # seeded runs tried before giving up
PROOF_NODES = 10 ** 7   # positions an exhaustive search may take
KICKS = 25              # perturbations of the direction search per design


# ---------------------------------------------------------------------------------------------
# Constructions. Each returns a movement: R rounds, each a list of tables [ns, ew, set] with
# pairs 1..P and sets 0..R-1, tables in the order they are numbered.

def cyclic_design(P, R, q, cap, rng, limit):
    """A starter and adder in Z_R: q classes of rotating pairs (a, x), k = P - qR stationary
    pairs. Round 1 pairs every point once and gives each table a column c (a set); round r + 1
    adds r to every rotating pair and to every set. Returns (tables of round 1 as
    (point, point, column), nodes) or (None, nodes); False as the first item when the search
    ended without a design."""
    k = P - q * R
    T = P // 2
    if k < 0 or k > q * R:
        return False, 0
    need_cols = min(R, T)
    assigned = [[False] * R for _ in range(q)]
    shifted = [[False] * R for _ in range(q)]
    col = [0] * R
    orbits = set()
    out = []
    state = {"nodes": 0, "inf": 0, "cols": 0}

    def first_free():
        for a in range(q):
            for x in range(R):
                if not assigned[a][x]:
                    return a, x
        return None

    def place(a, x, b, y, c, key, on):
        assigned[a][x] = on
        shifted[a][(x - c) % R] = on
        if b is not None:
            assigned[b][y] = on
            shifted[b][(y - c) % R] = on
            if on:
                orbits.add(key)
            else:
                orbits.discard(key)
        else:
            state["inf"] += 1 if on else -1
        if on:
            state["cols"] += 1 if col[c] == 0 else 0
            col[c] += 1
        else:
            col[c] -= 1
            state["cols"] -= 1 if col[c] == 0 else 0

    def rec(free_left):
        state["nodes"] += 1
        if state["nodes"] > limit:
            raise TimeoutError
        f = first_free()
        if f is None:
            return state["inf"] == k and state["cols"] == need_cols
        tables_left = (free_left + (k - state["inf"])) // 2
        if need_cols - state["cols"] > tables_left:
            return False
        a, x = f
        inf_left = k - state["inf"]
        opts = []
        if inf_left > 0:
            opts.append(None)
        if free_left - 1 > inf_left:
            for b in range(a, q):
                for y in range(R):
                    if (b, y) <= (a, x) or assigned[b][y]:
                        continue
                    if a == b:
                        d = (y - x) % R
                        if (2 * d) % R == 0:
                            continue  # a pair R/2 apart would meet again after R/2 rounds
                        key = (a, a, min(d, R - d))
                    else:
                        key = (a, b, (y - x) % R)
                    if key not in orbits:
                        opts.append(((b, y), key))
        rng.shuffle(opts)
        cols = list(range(R)) if out else [0]  # turning every set on by one changes nothing
        rng.shuffle(cols)
        for opt in opts:
            for c in cols:
                if col[c] >= cap or shifted[a][(x - c) % R]:
                    continue
                if opt is None:
                    out.append((("f", a, x), ("i", state["inf"]), c))
                    place(a, x, None, None, c, None, True)
                    found = rec(free_left - 1)
                    place(a, x, None, None, c, None, False)
                else:
                    (b, y), key = opt
                    if shifted[b][(y - c) % R]:
                        continue
                    out.append((("f", a, x), ("f", b, y), c))
                    place(a, x, b, y, c, key, True)
                    found = rec(free_left - 2)
                    place(a, x, b, y, c, key, False)
                if found:
                    return True
                out.pop()
        return False

    try:
        return (list(out) if rec(q * R) else False), state["nodes"]
    except TimeoutError:
        return None, state["nodes"]


def cyclic_movement(P, R, q, base):
    k = P - q * R

    def number(pt, r):
        if pt[0] == "i":
            return P - pt[1]  # stationary pairs from the top: the phantom stays put
        return pt[1] * R + (pt[2] + r) % R + 1

    base = sorted(base, key=lambda t: (t[2], t[0][1:], t[1]))
    rounds = []
    for r in range(R):
        rounds.append([[number(u, r), number(v, r), (c + r) % R] for u, v, c in base])
    return rounds, k


def one_fixed_round(m, rng, limit):
    """Z_m on rounds 1..m and sets 1..m, round m + 1 and set m + 1 fixed; pairs (a, x) for
    a in {0, 1}, x in Z_m. The fixed round is the orbit of one pair across the classes, the
    fixed set the orbit of another; every other pair of round 1 has a set c and moves on one
    place a round with its set. Returns ((fixed-round pair, fixed-set pair, [(p, q, c)]), nodes)
    or (None / False, nodes)."""
    pts = [(a, x) for a in range(2) for x in range(m)]
    nodes = [0]

    def key(p, q):
        (a, x), (b, y) = sorted([p, q])
        if a == b:
            d = (y - x) % m
            return None if (2 * d) % m == 0 else (a, a, min(d, m - d))
        return (0, 1, (y - x) % m)

    es = list(range(m))
    rng.shuffle(es)
    try:
        for e in es:
            p0 = ((0, 0), (1, e))
            orbits = {key(*p0)}
            shifted = {(0, 0), (1, e)}
            assigned = set()
            col = set()
            out = []
            fixed = []

            def rec():
                nodes[0] += 1
                if nodes[0] > limit:
                    raise TimeoutError
                free = [p for p in pts if p not in assigned]
                if not free:
                    return bool(fixed)
                a, x = free[0]
                partners = free[1:]
                rng.shuffle(partners)
                for q in partners:
                    k = key((a, x), q)
                    if k is None or k in orbits:
                        continue
                    cols = [c for c in range(m) if c not in col]
                    rng.shuffle(cols)
                    for c in ([None] if not fixed and q[0] != a else []) + cols:
                        if c is None:
                            fixed.append(((a, x), q))
                            assigned.update([(a, x), q])
                            orbits.add(k)
                            if rec():
                                return True
                            fixed.pop()
                            assigned.difference_update([(a, x), q])
                            orbits.discard(k)
                            continue
                        s1, s2 = (a, (x - c) % m), (q[0], (q[1] - c) % m)
                        if s1 in shifted or s2 in shifted:
                            continue
                        shifted.update([s1, s2])
                        col.add(c)
                        assigned.update([(a, x), q])
                        orbits.add(k)
                        out.append(((a, x), q, c))
                        if rec():
                            return True
                        out.pop()
                        shifted.difference_update([s1, s2])
                        col.discard(c)
                        assigned.difference_update([(a, x), q])
                        orbits.discard(k)
                return False

            if rec():
                return (p0, fixed[0], list(out)), nodes[0]
    except TimeoutError:
        return None, nodes[0]
    return False, nodes[0]


def one_fixed_movement(m, design):
    p0, pfix, base = design

    def number(pt, g):
        return pt[0] * m + (pt[1] + g) % m + 1

    base = sorted(base, key=lambda t: t[2])
    rounds = []
    for g in range(m):
        tables = [[number(u, g), number(v, g), (c + g) % m] for u, v, c in base]
        tables.append([number(pfix[0], g), number(pfix[1], g), m])
        rounds.append(tables)
    rounds.append([[number(p0[0], g), number(p0[1], g), g] for g in range(m)])
    return rounds


def backtrack(P, R, cap, budget, rng, limit, shuffle=True):
    """Seats the rounds one by one: the lowest free pair, a partner it has not met, a set
    neither has played. At most `budget` tables beyond the first at one set in one round (and
    never more than `cap`). Symmetry is broken without losing movements: round 1 seats pairs
    1-2, 3-4, ... with its sets numbered in table order, and the rounds after it are ordered by
    the set pair 1 plays. Returns (rounds or None, nodes, complete): complete means the whole
    search space was seen, so None then proves that no movement exists."""
    T = P // 2
    full = (1 << R) - 1
    played = [0] * P
    met = [0] * P
    total = [0] * R
    rounds = [[] for _ in range(R)]
    state = {"nodes": 0, "extra": 0}

    def rec(r, seated, used):
        state["nodes"] += 1
        if state["nodes"] > limit:
            raise TimeoutError
        if r == R:
            return True
        if seated == (1 << P) - 1:
            return rec(r + 1, 0, {})
        p = 0
        while seated >> p & 1:
            p += 1
        if r == 0:
            partners = [p + 1]
        else:
            partners = [q for q in range(p + 1, P) if not (seated >> q & 1) and not (met[p] >> q & 1)]
            if shuffle:
                rng.shuffle(partners)
        for q in partners:
            free = full & ~(played[p] | played[q])
            sets = [v for v in range(R) if free >> v & 1]
            if r == 0:
                top = max(used) if used else -1
                sets = [v for v in sets if v <= top + 1]
            elif p == 0:
                sets = [v for v in sets if v == r]
            elif shuffle:
                rng.shuffle(sets)
            for v in sets:
                n = used.get(v, 0)
                if n >= cap or total[v] >= T or (n >= 1 and state["extra"] >= budget):
                    continue
                state["extra"] += 1 if n else 0
                used[v] = n + 1
                total[v] += 1
                played[p] |= 1 << v
                played[q] |= 1 << v
                met[p] |= 1 << q
                met[q] |= 1 << p
                rounds[r].append([p + 1, q + 1, v])
                if rec(r, seated | (1 << p) | (1 << q), used):
                    return True
                rounds[r].pop()
                met[p] &= ~(1 << q)
                met[q] &= ~(1 << p)
                played[p] &= ~(1 << v)
                played[q] &= ~(1 << v)
                total[v] -= 1
                used[v] = n
                if n == 0:
                    del used[v]
                state["extra"] -= 1 if n else 0
        return False

    try:
        found = rec(0, 0, {})
    except TimeoutError:
        return None, state["nodes"], False
    if not found:
        return None, state["nodes"], True
    return [sorted(t, key=lambda x: (x[2], x[0])) for t in rounds], state["nodes"], True


def exact_cover(P, R, rng, limit):
    """A movement without a shared set as an exact cover (Knuth's algorithm X): every
    (round, pair) and every (set, pair) exactly once, every (round, set) and every two pairs at
    most once. It branches on the requirement with the fewest ways left, which finds or rules
    out these designs in thousands of positions where seating table by table needs millions.
    Symmetry is broken as in backtrack: round 1 seats pairs 1-2, 3-4, ... at sets 1, 2, ... and
    pair 1 plays set r in round r. The seed only orders the ways of one requirement, so a run
    that ends without a movement proves that none exists. Returns (rounds or None, nodes,
    complete)."""
    T = P // 2
    cell_base = 2 * R * P
    meet_base = cell_base + R * R
    rows = {}
    for r in range(R):
        for s in range(R):
            for a in range(P):
                for b in range(a + 1, P):
                    rows[(r, s, a, b)] = (r * P + a, r * P + b, (R + s) * P + a, (R + s) * P + b,
                                          cell_base + r * R + s, meet_base + a * P + b)
    X = {}
    for row, cols in rows.items():
        for c in cols:
            X.setdefault(c, set()).add(row)
    primary = list(range(cell_base))
    nodes = [0]

    def select(row):
        removed = []
        for j in rows[row]:
            for i in X[j]:
                for k in rows[i]:
                    if k != j:
                        X[k].remove(i)
            removed.append(X.pop(j))
        return removed

    def deselect(row, removed):
        for j in reversed(rows[row]):
            X[j] = removed.pop()
            for i in X[j]:
                for k in rows[i]:
                    if k != j:
                        X[k].add(i)

    chosen = [(0, t, 2 * t, 2 * t + 1) for t in range(T)]
    for row in chosen:
        select(row)
    for r in range(1, R):
        for row in list(X[r * P]):
            if row[1] != r:
                for j in rows[row]:
                    X[j].discard(row)

    def rec():
        nodes[0] += 1
        if nodes[0] > limit:
            raise TimeoutError
        best, fewest = None, None
        for c in primary:
            ways = X.get(c)
            if ways is not None and (fewest is None or len(ways) < fewest):
                best, fewest = c, len(ways)
                if fewest == 0:
                    return False
        if best is None:
            return True
        options = sorted(X[best])
        rng.shuffle(options)
        for row in options:
            chosen.append(row)
            removed = select(row)
            if rec():
                return True
            deselect(row, removed)
            chosen.pop()
        return False

    try:
        found = rec()
    except TimeoutError:
        return None, nodes[0], False
    if not found:
        return None, nodes[0], True
    rounds = [[] for _ in range(R)]
    for r, s, a, b in chosen:
        rounds[r].append([a + 1, b + 1, s])
    return [sorted(t, key=lambda x: (x[2], x[0])) for t in rounds], nodes[0], True


# ---------------------------------------------------------------------------------------------
# The balance figure, as mervalo-cli schema-check computes it: for two pairs, the board sets
# both play at different tables in the same direction, and in opposite directions.

def comparisons(rounds, P):
    same = [[0] * (P + 1) for _ in range(P + 1)]
    opp = [[0] * (P + 1) for _ in range(P + 1)]
    by_set = {}
    for rd in rounds:
        for ns, ew, s in rd:
            by_set.setdefault(s, []).append((ns, ew))
    for tables in by_set.values():
        for i, (a, b) in enumerate(tables):
            for c, d in tables[i + 1:]:
                for x, y, m in ((a, c, same), (b, d, same), (a, d, opp), (b, c, opp)):
                    m[x][y] += 1
                    m[y][x] += 1
    return same, opp


def figure(rounds, P):
    same, opp = comparisons(rounds, P)
    s = [same[a][b] for a in range(1, P + 1) for b in range(a + 1, P + 1)]
    o = [opp[a][b] for a in range(1, P + 1) for b in range(a + 1, P + 1)]
    mean = sum(s) / len(s)
    sd = math.sqrt(sum((v - mean) ** 2 for v in s) / len(s))
    return {"same": (min(s), max(s)), "opposite": (min(o), max(o)), "mean": mean, "variation": sd / mean if mean else 0.0}


def orient(rounds, P, rng):
    """Chooses the direction of every table: the fewest squared same-direction counts (their
    sum is fixed, so that is the smallest spread), then the smallest squared difference between
    same and opposite. Hill climbing over single tables, then seeded kicks of three tables."""
    rounds = [[list(t) for t in rd] for rd in rounds]
    tables = [t for rd in rounds for t in rd]  # the same lists, so turning one turns the round's
    n = len(tables)
    others = [[j for j in range(n) if j != i and tables[j][2] == tables[i][2]] for i in range(n)]
    W = P + 1
    same = [0] * (W * W)
    opp = [0] * (W * W)

    def count():
        s, o = comparisons(rounds, P)
        for x in range(W):
            for y in range(W):
                same[x * W + y] = s[x][y]
                opp[x * W + y] = o[x][y]

    def change(i):
        """What turning table i round would change: (sum same^2, sum (same - opp)^2) and the
        same-direction counts it moves. Each count of two pairs is touched at most once, as the
        tables of one set seat different pairs."""
        u, v, _ = tables[i]
        d1 = d2 = 0
        moves = []
        for j in others[i]:
            w_ns, w_ew, _ = tables[j]
            # u goes from NS to EW: same with w_ew now, opposite to w_ns; v the other way round.
            for a, b, ds in ((u, w_ns, -1), (u, w_ew, 1), (v, w_ew, -1), (v, w_ns, 1)):
                k = a * W + b
                s = same[k]
                diff = s - opp[k]
                d1 += 2 * s * ds + 1
                d2 += 4 * diff * ds + 4
                moves.append((a, b, ds))
        return d1, d2, moves

    def turn(i, moves):
        for a, b, ds in moves:
            same[a * W + b] += ds
            same[b * W + a] += ds
            opp[a * W + b] -= ds
            opp[b * W + a] -= ds
        t = tables[i]
        t[0], t[1] = t[1], t[0]

    def climb():
        better = True
        while better:
            better = False
            for i in range(n):
                d1, d2, moves = change(i)
                if d1 < 0 or (d1 == 0 and d2 < 0):
                    turn(i, moves)
                    better = True

    def cost():
        a = b = 0
        for x in range(1, W):
            for y in range(x + 1, W):
                k = x * W + y
                a += same[k] ** 2
                b += (same[k] - opp[k]) ** 2
        return a, b

    def directions():
        return [t[0] < t[1] for t in tables]

    def set_directions(ds):
        for t, d in zip(tables, ds):
            if (t[0] < t[1]) != d:
                t[0], t[1] = t[1], t[0]
        count()

    count()
    climb()
    best = cost()
    best_ds = directions()
    for _ in range(KICKS):
        for i in rng.sample(range(n), min(3, n)):
            turn(i, change(i)[2])
        climb()
        c = cost()
        if c < best:
            best = c
            best_ds = directions()
        else:
            set_directions(best_ds)
    set_directions(best_ds)
    return rounds, best


# ---------------------------------------------------------------------------------------------

def shared_tables(rounds):
    """Tables beyond the first at one set in one round, and the largest number at one set."""
    extra = 0
    most = 0
    for rd in rounds:
        count = {}
        for _, _, s in rd:
            count[s] = count.get(s, 0) + 1
        extra += sum(n - 1 for n in count.values())
        most = max(most, max(count.values()))
    return extra, most


def verify(rounds, P, R):
    """The rules every shipped movement keeps; a failure is a fault of this generator."""
    T = P // 2
    assert len(rounds) == R
    met = set()
    sets_of = {p: set() for p in range(1, P + 1)}
    plays = [0] * R
    for rd in rounds:
        seated = sorted(x for t in rd for x in t[:2])
        assert seated == list(range(1, P + 1)), seated
        for ns, ew, s in rd:
            assert s not in sets_of[ns] and s not in sets_of[ew]
            sets_of[ns].add(s)
            sets_of[ew].add(s)
            key = (min(ns, ew), max(ns, ew))
            assert key not in met
            met.add(key)
            plays[s] += 1
    assert plays == [T] * R


def cyclic_ruled_out(P, R, q):
    """Why Z_R cannot carry the movement with q classes of rotating pairs, when theory says so
    before any search: with one table of two rotating pairs (P = 2R - 2, one class) every other
    table holds a stationary pair, the R - 1 tables take R - 1 different sets, and the shifts
    point - set of the R rotating pairs, which must be all of Z_R, sum to the sum of Z_R minus
    the unused set plus the set of that one table; for odd R the sum of Z_R is 0, so that set
    would have to be the unused one."""
    if q == 1 and P == 2 * R - 2 and R % 2 == 1:
        return (f"no cyclic starter in Z_{R} with one class of rotating pairs: as {R} is odd, with a single "
                f"table of two rotating pairs their shifts cannot cover Z_{R}")
    return None


def plural(n, word, words=None):
    return f"{n} {word if n == 1 else (words or word + 's')}"


def candidates_for(P, R, cap, notes):
    """Designs for P pairs and R rounds with at most `cap` tables a set a round, in the order
    the constructions are tried, each as (rounds, description). Notes gather what was tried
    and failed ("tried") and what the searches proved ("proof"); with cap 1, an empty list
    and a proof note mean that no movement without a shared set exists."""
    T = P // 2
    found = []
    for q in range(1, P // R + 1):
        reason = cyclic_ruled_out(P, R, q)
        if reason:
            notes.append(("tried", reason))
            continue
        nodes = 0
        timed_out = False
        for seed in range(CANDIDATES * 3):
            base, n = cyclic_design(P, R, q, cap, random.Random(1000 * P + 10 * R + seed), CONSTRUCTION_NODES)
            nodes += n
            if base is False:
                if n:
                    notes.append(("tried", f"no cyclic starter in Z_{R} with {plural(q, 'class', 'classes')} of rotating "
                                           f"pairs (exhaustive, {plural(n, 'position')})"))
                break
            if base is None:
                timed_out = True
                continue
            rounds, k = cyclic_movement(P, R, q, base)
            found.append((rounds, f"cyclic in Z_{R}: {plural(q, 'class', 'classes')} of {R} rotating pairs"
                                  + (f" and {plural(k, 'stationary pair')}" if k else "") + f" (seed {seed})"))
            if len(found) >= CANDIDATES:
                return found
        if found:
            return found
        if timed_out and base is not False:
            notes.append(("tried", f"no cyclic starter in Z_{R} with {plural(q, 'class', 'classes')} of rotating pairs "
                                   f"within {CANDIDATES * 3} runs of {CONSTRUCTION_NODES} positions"))
    if R >= T and P == 2 * (R - 1):
        exhaustive = 0
        for seed in range(CANDIDATES * 3):
            design, n = one_fixed_round(R - 1, random.Random(1000 * P + 10 * R + seed), CONSTRUCTION_NODES)
            if design is False:
                exhaustive = n
                break
            if design:
                found.append((one_fixed_movement(R - 1, design), f"Z_{R - 1} on rounds and sets with one fixed round and set, "
                                                                 f"pairs in two classes of {R - 1} (seed {seed})"))
                if len(found) >= CANDIDATES:
                    break
        if found:
            return found
        notes.append(("tried", f"no design with Z_{R - 1} on rounds and sets and one fixed round "
                               + (f"(exhaustive, {plural(exhaustive, 'position')})" if exhaustive else
                                  f"within {CANDIDATES * 3} runs of {CONSTRUCTION_NODES} positions")))
    if cap == 1:
        # Each seeded run is the whole exact-cover search in another order; one that ends without
        # a movement has seen everything.
        for seed in range(SEARCH_SEEDS):
            rounds, n, complete = exact_cover(P, R, random.Random(1000 * P + 10 * R + seed), SEARCH_NODES)
            if rounds:
                found.append((rounds, f"exact-cover search (seed {seed}, {plural(n, 'position')})"))
                if len(found) >= CANDIDATES:
                    break
            elif complete:
                notes.append(("proof", f"exhaustive exact-cover search: no movement without a shared set in which "
                                       f"nobody meets twice ({plural(n, 'position')})"))
                return []
        if not found:
            rounds, n, complete = exact_cover(P, R, random.Random(0), PROOF_NODES)
            if rounds:
                found.append((rounds, f"exact-cover search (seed 0, {plural(n, 'position')})"))
            elif complete:
                notes.append(("proof", f"exhaustive exact-cover search: no movement without a shared set in which "
                                       f"nobody meets twice ({plural(n, 'position')})"))
            else:
                raise SystemExit(f"the search for {P} pairs and {R} rounds did not end")
        return found
    for seed in range(SEARCH_SEEDS):
        rounds, n, _ = backtrack(P, R, cap, P * R, random.Random(1000 * P + 10 * R + seed), SEARCH_NODES)
        if rounds:
            found.append((rounds, f"backtracking search over the rounds (seed {seed}, {plural(n, 'position')})"))
            if len(found) >= CANDIDATES:
                break
    return found


def forced_sharing(P, R, notes):
    """Where no movement without a shared set exists: the fewest tables at one set in a round,
    then the fewest shared tables in all, each proved by exhaustive searches; then designs
    with those."""

    def prove(cap, budget):
        rounds, n, complete = backtrack(P, R, cap, budget, random.Random(0), PROOF_NODES, shuffle=False)
        if rounds is None and not complete:
            raise SystemExit(f"the search for {P} pairs and {R} rounds ({cap} tables a set, {budget} shared) did not end")
        return rounds is not None, n

    cap = 2
    while True:
        ok, n = prove(cap, P * R)
        if ok:
            break
        notes.append(("proof", f"exhaustive search: no movement with at most {cap} tables at one set in a round "
                               f"in which nobody meets twice ({plural(n, 'position')})"))
        cap += 1
    budget = 1
    while True:
        ok, n = prove(cap, budget)
        if ok:
            break
        notes.append(("proof", f"exhaustive search: no movement with {plural(budget, 'shared table')} "
                               f"in which nobody meets twice ({plural(n, 'position')})"))
        budget += 1
    found = []
    for seed in range(SEARCH_SEEDS):
        rounds, n, _ = backtrack(P, R, cap, budget, random.Random(1000 * P + 10 * R + seed), SEARCH_NODES)
        if rounds:
            found.append((rounds, f"backtracking search with {plural(budget, 'shared table')} (seed {seed})"))
            if len(found) >= CANDIDATES:
                break
    return found


def movement(P, R):
    T = P // 2
    cap = max(1, -(-T // R))
    notes = []
    found = candidates_for(P, R, cap, notes)
    if not found and R >= T:
        found = forced_sharing(P, R, notes)
    if not found:
        raise SystemExit(f"no movement found for {P} pairs and {R} rounds")
    best = None
    for rounds, how in found:
        verify(rounds, P, R)
        oriented, cost = orient(rounds, P, random.Random(P * 100 + R))
        if best is None or cost < best[0]:
            best = (cost, oriented, how)
    _, rounds, how = best
    verify(rounds, P, R)
    extra, most = shared_tables(rounds)
    # The sharing the record explains must be the sharing the file has.
    if R < T:
        assert most <= cap and extra == R * (T - R), (P, R, extra, most)
    else:
        assert extra == 0 or any(kind == "proof" for kind, _ in notes), (P, R, extra)
    if extra == 0:
        sharing = "none"
    elif R < T:
        sharing = (f"forced by the numbers: {T} tables and {R} sets, so {plural(T - R, 'table')} a round beyond one a set; "
                   f"at most {most} tables at one set in a round (ceil({T}/{R}) = {cap})")
    else:
        sharing = f"forced: {plural(extra, 'table')} beyond one a set in all, at most {most} at one set in a round"
    return rounds, {"construction": how, "candidates": len(found), "sharing": sharing, "notes": notes,
                    "shared": extra > 0, "figure": figure(rounds, P)}


def range_text(s):
    return f"({4 * s + 1}-{4 * s + 4})"


def file_names(P, R, shared):
    return {lang: f"{P:02d} {w['pairs']} {R:02d} {w['rounds']} {w['shared'] if shared else w['kind']}.txt"
            for lang, w in LANGUAGES.items()}


def write(out_dir, P, R, rounds, shared):
    names = file_names(P, R, shared)
    for lang, words in LANGUAGES.items():
        header = f"{names[lang][:-4]}: " + words["header"].format(P=P, R=R, T=P // 2)
        if shared:
            header += words["note"]
        header += words["phantom"].format(P=P, Q=P - 1)
        lines = [header]
        for i, tables in enumerate(rounds):
            cells = [f"{a}-{b} {range_text(s)}" for a, b, s in tables]
            lines.append("\t".join([f"{words['round']} {i + 1}"] + cells))
        folder = os.path.join(out_dir, str(lang))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, names[lang]), "wb") as f:
            f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
    return names


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    args = sys.argv[1:]
    if len(args) > 2 or any(a.startswith("-") for a in args):
        print(__doc__)
        return
    out_dir = args[0] if args else os.path.join(here, "..", "resources", "schema")
    record_path = args[1] if len(args) > 1 else os.path.join(here, "movements-record.txt")
    record = ["Movements shipped in resources/schema, written by tools/make_movements.py: how each was built and why",
              "it has the flaws it has.",
              "",
              "Rules, in order: (1) every pair at one table each round, every set played P/2 times, no pair playing",
              "a set twice; (2) no two pairs meeting twice; (3) with at least as many sets as tables (R >= P/2), no",
              "set at two tables in one round; (4) where sharing is forced, no set at more than ceil(P/2R) tables in",
              "a round (with R >= P/2: as few tables at one set as possible), then as few shared tables as possible.",
              "Rule 2 comes before rule 3 in every file: boards can be carried between two tables, but two pairs",
              "meeting twice cannot be mended at the table. Where a file with R >= P/2 shares a set, its \"proof\"",
              "lines show that every movement in which nobody meets twice shares at least as much.",
              "",
              "A shared table is a table beyond the first at one set in one round. \"tried\" lines are constructions",
              "that gave nothing for that case. Balance counts are board sets;",
              "\"variation\" is the spread of the same-direction counts divided by their mean (0 is perfect), as",
              "mervalo-cli schema-check reports it.", ""]
    count = 0
    for P in range(4, 21, 2):
        for R in range(3, min(12, P - 1) + 1):
            rounds, info = movement(P, R)
            names = write(out_dir, P, R, rounds, info["shared"])
            fig = info["figure"]
            record.append(f"{P:02d} pairs {R:02d} rounds: {names[10]} | {names[11]}")
            record.append(f"  construction: {info['construction']}; best balance of {info['candidates']} design"
                          f"{'s' if info['candidates'] != 1 else ''}")
            for kind, note in info["notes"]:
                record.append(f"  {kind}: {note}")
            record.append(f"  shared sets: {info['sharing']}")
            record.append("  meetings: no two pairs meet twice")
            record.append(f"  balance: same direction {fig['same'][0]}-{fig['same'][1]} (mean {fig['mean']:.2f}), "
                          f"opposite {fig['opposite'][0]}-{fig['opposite'][1]}, variation {fig['variation']:.4f}")
            record.append("")
            count += 1
    with open(record_path, "wb") as f:
        f.write(("\r\n".join(record)).encode("cp1252"))
    print(f"{count} movements in each language written to {os.path.normpath(out_dir)}")


if __name__ == "__main__":
    main()
