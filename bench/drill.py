#!/usr/bin/env python3
# Drills for moving and restoring through orvalin-cli on real mounts: kills at random moments and
# at exact system calls, another program saving at the places files go back to, and two moves or
# restores of one folder at once. Each prints its counts; all of lost, duplicated, overwritten,
# reservations left, stuck and misreported must be 0.
#
#   bench/drill.py random     --cli PATH --work DIR [--kills 150] [--files 240] [--seed 7]
#   bench/drill.py syscalls   --cli PATH --work DIR
#   bench/drill.py writer     --cli PATH --work DIR [--rounds 6] [--files 400]
#   bench/drill.py concurrent --cli PATH --work DIR [--rounds 4] [--files 600]
#   bench/drill.py time       --cli PATH [--cli PATH] --work DIR [--files 1000] [--kb 256]
#
# WORK is a folder on the file system under test (see bench/drill_mounts.sh); the drill makes
# and removes its shoots there. While a drill runs nothing may be built on the machine: a program
# that cannot start in time looks like a kill.
import argparse, hashlib, json, os, random, re, shutil, signal, statistics, subprocess, sys
import tempfile, threading, time

REVIEW = "Orvalin Review"
LOGS = ("restore-log.json", "Moved files.txt")


def is_temporary(name):
    return name.startswith(".") and name.endswith(".tmp")


class Counts:
    NAMES = ("lost", "duplicated", "overwritten", "reservations left", "stuck", "misreported")

    def __init__(self):
        self.values = {name: 0 for name in self.NAMES}
        self.problems = []

    def add(self, name, problem):
        self.values[name] += 1
        if len(self.problems) < 30:
            self.problems.append(f"{name}: {problem}")

    def clean(self):
        return all(value == 0 for value in self.values.values())

    def report(self, header):
        lines = [header] + [f"  {name}: {self.values[name]}" for name in self.NAMES]
        lines += ["  " + problem for problem in self.problems]
        print("\n".join(lines), flush=True)


def digest(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def write(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(content)


def make_shoot(root, files, rng, big_every=7, size=None):
    """RAW leftovers in a few folders, every fifth with a sidecar; some large enough that a
    kill can land inside a copy, or all of `size` bytes. Returns {relative path: content}."""
    originals = {}
    for i in range(files):
        folder = f"Day {i % 6}"
        if size is None:
            size_of = rng.randrange(512, 8192) if i % big_every else rng.randrange(256 << 10, 1 << 20)
        else:
            size_of = size
        content = f"IMG_{i} ".encode() + rng.randbytes(size_of)
        if i % 5 == 0:
            originals[f"{folder}/IMG_{i}.CR3.xmp"] = b"xmp " + content[:300]
        originals[f"{folder}/IMG_{i}.CR3"] = content
    for path, content in originals.items():
        write(os.path.join(root, path), content)
    return originals


def cli(args, command, *arguments, kill_after=None, wait=True):
    """Runs orvalin-cli; returns (exit code or None when killed, stdout)."""
    process = subprocess.Popen([args.cli, command, *arguments], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL)
    if not wait:
        return process
    if kill_after is not None:
        time.sleep(kill_after)
        if process.poll() is None:
            process.send_signal(signal.SIGKILL)
    out, _ = process.communicate()
    return (None if process.returncode == -signal.SIGKILL else process.returncode), out


def move_arguments(root):
    return ("--no-only-mixed-folders", "--tick", "raw", "--tick", "sidecar", root)


def sessions(args, root):
    _, out = cli(args, "sessions", "--json", root)
    try:
        return json.loads(out)
    except ValueError:
        return []


def session_files(root):
    """Files in every session besides their logs and the logs' temporaries, by session name."""
    review = os.path.join(root, REVIEW)
    found = {}
    if not os.path.isdir(review):
        return found
    for session in sorted(os.listdir(review)):
        folder = os.path.join(review, session)
        files = []
        for where, _, names in os.walk(folder):
            for name in names:
                if where == folder and (name in LOGS or is_temporary(name)):
                    continue
                files.append(os.path.join(where, name))
        found[session] = files
    return found


def check_listing(args, root, originals, counts, when):
    """After a cut-off move or restore and one listing: what is at an original place is the photo
    whole, nothing is both home and in review, the listing counts what the sessions hold, and no
    photo is gone. Returns the number of files listed in review."""
    listed = sessions(args, root)
    held = session_files(root)
    by_content = {}
    for session, files in held.items():
        for path in files:
            by_content.setdefault(digest(path), []).append(path)
    expected = {digest_of: path for path, digest_of in
                ((path, hashlib.sha256(content).hexdigest()) for path, content in originals.items())}
    for path, content in originals.items():
        home = os.path.join(root, path)
        want = hashlib.sha256(content).hexdigest()
        in_review = by_content.get(want, [])
        if os.path.isfile(home):
            with open(home, "rb") as file:
                there = file.read()
            if there == content:
                if in_review:
                    counts.add("duplicated", f"{path} home and in review {when}")
            elif content.startswith(there):
                counts.add("reservations left", f"{len(there)} bytes at {path} {when}")
            else:
                counts.add("overwritten", f"{path} {when}")
        if not in_review and not (os.path.isfile(home) and digest(home) == want):
            counts.add("lost", f"{path} {when}")
    for session, files in held.items():
        for path in files:
            if os.path.getsize(path) == 0 or digest(path) not in expected:
                counts.add("reservations left", f"{os.path.relpath(path, root)} in review {when}")
    total = 0
    for session in listed:
        total += session["inReview"]
        if session["inReview"] != len(held.get(session["name"], [])):
            counts.add("misreported", f"{session['name']} lists {session['inReview']}, holds "
                       f"{len(held.get(session['name'], []))} {when}")
    return total


def check_restored(args, root, originals, listed, counts):
    """Two full restores: the first puts back all that was listed and says so, the second finds
    nothing; then every file is home, nothing is left in review and every log is finished."""
    for round_number, expected in ((1, listed), (2, 0)):
        code, out = cli(args, "restore", "--json", root, "--all")
        try:
            report = json.loads(out)
        except ValueError:
            counts.add("misreported", f"restore {round_number} printed no report (exit {code})")
            continue
        if (report["restored"] != expected or report["missing"] or report.get("failed")
                or report["conflicts"] or report["failedSessions"]):
            counts.add("misreported", f"restore {round_number}: {json.dumps(report)[:300]} "
                       f"(expected {expected} back)")
    for path, content in originals.items():
        home = os.path.join(root, path)
        if not os.path.isfile(home) or open(home, "rb").read() != content:
            counts.add("lost", f"{path} not home after two restores")
    for session, files in session_files(root).items():
        for path in files:
            counts.add("stuck", os.path.relpath(path, root))
        log_path = os.path.join(root, REVIEW, session, "restore-log.json")
        try:
            log = json.load(open(log_path))
        except (OSError, ValueError):
            continue
        for entry in log["entries"]:
            if entry["status"] in ("moved", "conflict") or entry.get("note") == "being put back":
                counts.add("misreported", f"{session}: {entry['path']} left {entry['status']}")
        temporaries = [name for name in os.listdir(os.path.join(root, REVIEW, session))
                       if is_temporary(name)]
        if temporaries:
            counts.add("misreported", f"{session}: temporaries {temporaries}")
    extra = set()
    for where, folders, names in os.walk(root):
        folders[:] = [f for f in folders if os.path.join(where, f) != os.path.join(root, REVIEW)]
        extra.update(os.path.relpath(os.path.join(where, n), root) for n in names)
    for path in sorted(extra - set(originals)):
        counts.add("overwritten", f"unexpected file {path}")


def fresh(work, name):
    path = os.path.join(work, name)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def duration(args, command, *arguments):
    start = time.monotonic()
    cli(args, command, *arguments)
    return time.monotonic() - start


def drill_random(args):
    rng = random.Random(args.seed)
    counts = Counts()
    root = os.path.join(fresh(args.work, "random"), "Shoot")
    make_shoot(root, args.files, rng)
    move_time = duration(args, "move", *move_arguments(root))
    restore_time = duration(args, "restore", root, "--all")
    kills = restore_kills = 0
    while kills + restore_kills < args.kills:
        root = os.path.join(fresh(args.work, "random"), "Shoot")
        originals = make_shoot(root, args.files, rng)
        cli(args, "move", *move_arguments(root), kill_after=rng.uniform(0, move_time * 1.1))
        kills += 1
        listed = check_listing(args, root, originals, counts, "after a killed move")
        if kills % 2 == 0:
            cli(args, "restore", root, "--all", kill_after=rng.uniform(0, restore_time * 1.1))
            restore_kills += 1
            listed = check_listing(args, root, originals, counts, "after a killed restore")
        check_restored(args, root, originals, listed, counts)
    counts.report(f"random kills: {kills} moves, {restore_kills} restores")
    return counts


# The system calls that change something: a kill just before each leaves every state a kill at
# any other moment can leave.
CHANGING = ("openat", "write", "pwrite64", "fsync", "renameat", "renameat2", "linkat", "unlinkat",
            "mkdirat", "copy_file_range", "utimensat", "ftruncate")


def traced_calls(args, command, arguments):
    """The changing calls of an uninterrupted run made by its main thread under the shoot:
    (system call, its ordinal among the main thread's calls of it, the line)."""
    log = tempfile.mktemp(prefix="drill-strace-")
    subprocess.run(["strace", "-f", "-y", "-s", "0", "-e", "trace=" + ",".join(CHANGING), "-o", log,
                    args.cli, command, *arguments], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    lines = open(log).read().splitlines()
    os.unlink(log)
    main = lines[0].split()[0]
    seen = {}
    calls = []
    for line in lines:
        parts = line.split(None, 1)
        match = re.match(r"(\w+)\(", parts[1]) if len(parts) == 2 else None
        if parts[0] != main or not match:
            continue
        name = match.group(1)
        seen[name] = seen.get(name, 0) + 1
        if args.shoot_marker in line and not (name == "openat" and "O_CREAT" not in line):
            calls.append((name, seen[name], parts[1][:160]))
    return calls


def killed_at(args, command, arguments, name, ordinal):
    """Runs with SIGKILL injected at the ordinal-th call of `name`; returns the call it landed
    on, as strace printed it, or None when the run was not killed."""
    log = tempfile.mktemp(prefix="drill-strace-")
    subprocess.run(["strace", "-f", "-y", "-s", "0", "-o", log, "-e", "trace=" + name,
                    "-e", f"inject={name}:signal=SIGKILL:when={ordinal}",
                    args.cli, command, *arguments], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    lines = open(log).read().splitlines()
    os.unlink(log)
    if not any("killed by SIGKILL" in line for line in lines):
        return None
    injected = [line for line in lines if "INJECTED" in line or "= ?" in line]
    return injected[-1] if injected else lines[-2]


def drill_syscalls(args):
    counts = Counts()
    rng = random.Random(11)
    shoot = lambda: os.path.join(fresh(args.work, "syscalls"), "Shoot")
    args.shoot_marker = os.path.join(os.path.realpath(args.work), "syscalls", "Shoot")
    ways = {}
    kills = {"move": 0, "restore": 0}
    for command in ("move", "restore"):
        root = shoot()
        make_shoot(root, 4, random.Random(3), big_every=2)
        if command == "restore":
            cli(args, "move", *move_arguments(root))
        arguments = move_arguments(root) if command == "move" else (root, "--all")
        calls = traced_calls(args, command, arguments)
        ways[command] = sorted({name for name, _, _ in calls})
        for name, ordinal, line in calls:
            root = shoot()
            originals = make_shoot(root, 4, random.Random(3), big_every=2)
            if command == "restore":
                cli(args, "move", *move_arguments(root))
            landed = killed_at(args, command, arguments, name, ordinal)
            if landed is None:
                counts.problems.append(f"not killed at {name} #{ordinal}: {line}")
                continue
            kills[command] += 1
            listed = check_listing(args, root, originals, counts, f"after {command} killed at "
                                   f"{name} #{ordinal} ({line[:90]})")
            check_restored(args, root, originals, listed, counts)
    counts.report(f"exact kills: {kills['move']} in a move ({', '.join(ways['move'])}), "
                  f"{kills['restore']} in a restore ({', '.join(ways['restore'])})")
    return counts


def drill_writer(args):
    """Another program saves at the places files go back to, as editors save: a temporary file
    renamed over the name. Nothing of its saves may vanish, and no photo either."""
    counts = Counts()
    rng = random.Random(5)
    saves = vanished = replaced_by_writer = 0
    for round_number in range(args.rounds):
        root = os.path.join(fresh(args.work, "writer"), "Shoot")
        originals = make_shoot(root, args.files, rng, big_every=50)
        cli(args, "move", *move_arguments(root))
        paths = sorted(originals)
        photos = {content: path for path, content in originals.items()}
        last_save = {}
        stop = threading.Event()

        def writer():
            nonlocal saves, replaced_by_writer
            number = 0
            while not stop.is_set():
                path = rng.choice(paths)
                home = os.path.join(root, path)
                # An editor never means to save over a photo that is back.
                try:
                    if open(home, "rb").read() in photos:
                        continue
                except OSError:
                    pass
                number += 1
                content = f"saved {round_number}/{number} at {path}".encode()
                temporary = home + f".saving{number}"
                try:
                    write(temporary, content)
                    os.rename(temporary, home)
                except OSError:
                    continue
                last_save[path] = content
                saves += 1

        thread = threading.Thread(target=writer)
        thread.start()
        report = json.loads(cli(args, "restore", "--json", root, "--all")[1] or b"{}")
        stop.set()
        thread.join()
        held = {digest(path) for files in session_files(root).values() for path in files}
        for path, content in originals.items():
            home = os.path.join(root, path)
            there = open(home, "rb").read() if os.path.isfile(home) else None
            if path in last_save and there != last_save[path]:
                if there == content:
                    vanished += 1
                    counts.add("overwritten", f"the writer's save at {path}")
                else:
                    counts.add("overwritten", f"{path} holds neither the save nor the photo")
            if there == content or hashlib.sha256(content).hexdigest() in held:
                continue
            if path in last_save and there == last_save[path]:
                # The writer's own check and rename raced the photo coming home: its save is
                # what it asked for, over a file that was back.
                replaced_by_writer += 1
            else:
                counts.add("lost", path)
        if report.get("restored", -1) + len(report.get("conflicts", [])) != len(originals):
            counts.add("misreported", f"round {round_number}: {json.dumps(report)[:200]}")
    counts.report(f"racing writer: {saves} saves in {args.rounds} restores, {vanished} vanished; "
                  f"photos the writer itself saved over once home: {replaced_by_writer}")
    return counts


def drill_concurrent(args):
    """Two restores of one folder at once, and a move beside a restore."""
    counts = Counts()
    rng = random.Random(9)
    for round_number in range(args.rounds):
        for case in ("two restores", "a move beside a restore"):
            root = os.path.join(fresh(args.work, "concurrent"), "Shoot")
            originals = make_shoot(root, args.files, rng, big_every=40)
            moved = dict(list(originals.items())[: len(originals) // 2])
            if case == "two restores":
                cli(args, "move", *move_arguments(root))
                first = cli(args, "restore", "--json", root, "--all", wait=False)
                second = cli(args, "restore", "--json", root, "--all", wait=False)
                reports = [json.loads(p.communicate()[0] or b"{}") for p in (first, second)]
                back = sum(report.get("restored", 0) for report in reports)
                if back != len(originals) or any(r.get("failedSessions") or r.get("missing")
                                                 for r in reports):
                    counts.add("misreported", f"{case}: {json.dumps(reports)[:300]}")
            else:
                # Half the shoot is in review; the other half is moved while it comes back.
                for path in set(originals) - set(moved):
                    os.rename(os.path.join(root, path), os.path.join(root, path) + ".aside")
                cli(args, "move", *move_arguments(root))
                for path in set(originals) - set(moved):
                    os.rename(os.path.join(root, path) + ".aside", os.path.join(root, path))
                restoring = cli(args, "restore", "--json", root, "--all", wait=False)
                moving = cli(args, "move", "--json", *move_arguments(root), wait=False)
                restore_report = json.loads(restoring.communicate()[0] or b"{}")
                move_report = json.loads(moving.communicate()[0] or b"{}")
                if restore_report.get("restored") != len(moved) or restore_report.get("missing"):
                    counts.add("misreported", f"{case}: restore said {json.dumps(restore_report)[:200]}")
                session = move_report.get("session")
                if session is not None:
                    held = len(session_files(root).get(os.path.basename(session), []))
                    if move_report.get("moved") != held:
                        counts.add("misreported", f"{case}: move said {move_report.get('moved')}, "
                                   f"its session holds {held}")
            listed = check_listing(args, root, originals, counts, f"after {case}")
            check_restored(args, root, originals, listed, counts)
    counts.report(f"concurrent: {args.rounds} rounds of two restores and of a move beside a restore")
    return counts


def drill_time(args):
    """Median seconds of a move and a restore of `files` files through each CLI, alternately,
    against copying the same files with cp in the same run."""
    rng = random.Random(1)
    timings = {cli_path: {"move": [], "restore": []} for cli_path in args.cli_list}
    baseline = []
    for _ in range(args.rounds):
        for cli_path in args.cli_list:
            args.cli = cli_path
            root = os.path.join(fresh(args.work, "time"), "Shoot")
            make_shoot(root, args.files, rng, size=args.kb << 10)
            subprocess.run(["sync"])
            timings[cli_path]["move"].append(duration(args, "move", *move_arguments(root)))
            timings[cli_path]["restore"].append(duration(args, "restore", root, "--all"))
        start = time.monotonic()
        subprocess.run(["cp", "-r", root, root + " copy"])
        baseline.append(time.monotonic() - start)
    base = statistics.median(baseline)
    print(f"{args.files} files of about {args.kb} KB; copying them with cp: {base:.2f} s")
    for cli_path, times in timings.items():
        move, restore = statistics.median(times["move"]), statistics.median(times["restore"])
        print(f"{cli_path}: move {move:.2f} s ({move / base:.2f} x cp), restore {restore:.2f} s "
              f"({restore / base:.2f} x cp)")
    return Counts()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("drill", choices=("random", "syscalls", "writer", "concurrent", "time"))
    parser.add_argument("--cli", action="append", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--kills", type=int, default=150)
    parser.add_argument("--files", type=int)
    parser.add_argument("--rounds", type=int)
    parser.add_argument("--kb", type=int, default=256)
    parser.add_argument("--seed", type=int, default=7)
    args = parser.parse_args()
    args.cli_list = [os.path.abspath(path) for path in args.cli]
    args.cli = args.cli_list[0]
    defaults = {"random": (240, None), "syscalls": (4, None), "writer": (400, 6),
                "concurrent": (600, 4), "time": (1000, 3)}[args.drill]
    args.files = args.files or defaults[0]
    args.rounds = args.rounds or defaults[1]
    counts = globals()["drill_" + args.drill](args)
    shutil.rmtree(os.path.join(args.work, args.drill), ignore_errors=True)
    sys.exit(0 if counts.clean() else 1)


if __name__ == "__main__":
    main()
