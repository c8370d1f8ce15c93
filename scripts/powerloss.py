#!/usr/bin/env python3
"""Rebuilds, for each sync point of a logged run, the repository's files as a
power loss just after that sync would leave them, and checks each.

    powerloss.py NAME LOG FOLDER BEFORE STATUS [RANDOM]

LOG is what tests/support/fs_shim.cpp wrote (NDL_FS_LOG) for one run on
FOLDER, which now holds what the run left; BEFORE is a copy of FOLDER taken
before the run; STATUS the run's exit status. At sync point K every file
keeps its writes and truncations up to its own last completed sync; the
later ones are dropped, or (RANDOM times per point, seeded) a random subset
of them is kept. A creation or an unlink lasts once any later sync
completed (a journaling file system commits them with it). The write-ahead
log's index ("-shm") is rebuilt by SQLite and is left out.

Each rebuilt state must pass PRAGMA integrity_check and hold the old rows or
the new ones whole (for a folder that held no repository, the old rows are
none); once the run printed its log, and it succeeded, only the new ones.
"""
import os
import random
import shutil
import sqlite3
import sys
import tempfile


def read_log(path):
    events = []
    with open(path, 'rb') as f:
        data = f.read()
    at = 0
    while at < len(data):
        end = data.index(b'\n', at)
        kind, a, b, name = data[at:end].decode().split(' ', 3)
        at = end + 1
        payload = b''
        if kind == 'W':
            payload = data[at:at + int(b)]
            at += int(b)
        events.append((kind, int(a), int(b), name, payload))
    return events


def snapshot(folder):
    files = {}
    for name in os.listdir(folder):
        if not name.endswith('-shm'):
            with open(os.path.join(folder, name), 'rb') as f:
                files[name] = bytearray(f.read())
    return files


def apply(files, event):
    kind, a, _, path, payload = event
    name = os.path.basename(path)
    if kind == 'C':
        files.setdefault(name, bytearray())
    elif kind == 'U':
        files.pop(name, None)
    elif kind == 'T' and name in files:
        del files[name][a:]
    elif kind == 'W' and name in files:
        body = files[name]
        if len(body) < a:
            body.extend(b'\0' * (a - len(body)))
        body[a:a + len(payload)] = payload


def rebuild(before, events, upto, keep):
    """The files after a power loss just after event UPTO (a sync); KEEP
    tells whether a write not yet synced lasts."""
    last_sync, any_sync_after = {}, [False] * (upto + 1)
    later = False
    for i in range(upto, -1, -1):
        any_sync_after[i] = later
        if events[i][0] == 'S':
            later = True
            last_sync.setdefault(events[i][3], i)
    files = {k: bytearray(v) for k, v in before.items()}
    for i in range(upto + 1):
        kind, _, _, path, _ = events[i]
        if kind in 'SP' or path.endswith('-shm'):
            continue
        if kind in 'CU':
            lasts = any_sync_after[i] or keep()
        else:
            lasts = i <= last_sync.get(path, -1) or keep()
        if lasts:
            apply(files, events[i])
    return files


def dump(folder, db):
    """(integrity, rows) of the repository in FOLDER; rows None where no
    database can be read."""
    path = os.path.join(folder, db)
    if not os.path.exists(path):
        return 'ok', ()
    try:
        con = sqlite3.connect(path)
        check = con.execute('PRAGMA integrity_check').fetchall()
        rows = []
        for (table,) in con.execute("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name").fetchall():
            rows.append((table, tuple(sorted(repr(r) for r in con.execute('SELECT * FROM "%s"' % table)))))
        con.close()
        integrity = check[0][0] if len(check) == 1 else repr(check)
        return integrity, tuple(rows)
    except sqlite3.DatabaseError as e:
        return str(e), None


def no_rows(rows):
    return all(not body for _, body in rows)


def state_rows(files, db):
    with tempfile.TemporaryDirectory() as tmp:
        for name, body in files.items():
            with open(os.path.join(tmp, name), 'wb') as f:
                f.write(body)
        return dump(tmp, db)


def main():
    name, log, folder, before_dir, status = sys.argv[1:6]
    randoms = int(sys.argv[6]) if len(sys.argv) > 6 else 3
    events = read_log(log)
    before = snapshot(before_dir)
    db = next(os.path.basename(e[3]) for e in events
              if e[0] == 'W' and not e[3].endswith(('-wal', '-shm', '-journal')))
    old_integrity, old = state_rows(before, db)
    new_integrity, new = dump(folder, db)
    assert old_integrity == 'ok' and new_integrity == 'ok', (old_integrity, new_integrity)
    fresh = db not in before
    printed = [i for i, e in enumerate(events) if e[0] == 'P']
    first_print = printed[0] if printed else len(events)
    syncs = [i for i, e in enumerate(events) if e[0] == 'S']
    rng = random.Random(1)
    states = wrong = olds = news = after_print = 0
    for k, at in enumerate(syncs, 1):
        for variant in range(randoms + 1):
            keep = (lambda: False) if variant == 0 else (lambda: rng.random() < 0.5)
            integrity, rows = state_rows(rebuild(before, events, at, keep), db)
            states += 1
            must_be_new = status == '0' and at > first_print
            after_print += must_be_new
            is_old = rows == old or (fresh and rows is not None and no_rows(rows))
            why = None
            if integrity != 'ok':
                why = 'integrity: ' + integrity
            elif rows != new and (must_be_new or not is_old):
                why = 'older than the load whose success was printed' if is_old else 'neither the old rows nor the new'
            olds += is_old and rows != new
            news += rows == new
            if why:
                wrong += 1
                print('%s: sync point %d (%s) %s: %s' % (name, k, events[at][3], 'dropped' if variant == 0 else
                                                         'random subset %d' % variant, why))
    print('%s: %d sync points, %d states rebuilt (%d old, %d new; %d after the success was printed), %d wrong' %
          (name, len(syncs), states, olds, news, after_print, wrong))
    return 1 if wrong else 0


if __name__ == '__main__':
    sys.exit(main())
