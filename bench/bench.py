#!/usr/bin/env python3
"""Times tavik-dict lookups against look, grep and sdcv; see bench/run.sh."""
import argparse
import json
import os
import random
import shutil
import subprocess
import sys
import time
from pathlib import Path

GCIDE_INDEX = Path("/usr/share/dictd/gcide.index")
SIZES = [("10 MB", 10e6), ("100 MB", 100e6), ("1 GB", 1.0e9)]
LOOK = shutil.which("look")
SDCV = shutil.which("sdcv")
TABFILE = Path("/usr/lib/stardict-tools/tabfile")


def log(*args):
    print("bench:", *args, file=sys.stderr, flush=True)


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, **kw)


def headword(line):
    return line.lstrip(b"/").split(b"/", 1)[0]


def real_dictionary(tool, work):
    """The real dictionary as a Tavik file, or a generated one."""
    out = work / "real.txt"
    if out.exists():
        return out, "dict-gcide"
    if GCIDE_INDEX.exists():
        log("importing", GCIDE_INDEX)
        run([tool, "import", "dictd", str(GCIDE_INDEX), "-o", str(out), "--codepage", "utf-8"])
        return out, "dict-gcide"
    log("dict-gcide is missing: generating a dictionary")
    rnd = random.Random(1)
    letters = "abcdefghijklmnopqrstuvwxyz"
    with open(work / "generated.txt", "w") as f:
        for i in range(300000):
            word = "".join(rnd.choice(letters) for _ in range(rnd.randint(3, 12)))
            f.write(f"{word}/{' '.join(['meaning'] * rnd.randint(20, 120))} {i}\n")
    run([tool, "sort", str(work / "generated.txt"), "-o", str(out), "--codepage", "utf-8"])
    return out, "generated"


def sized(tool, real, work, label, target):
    """A sorted dictionary of about `target` bytes made from the real one."""
    out = work / f"dict-{label.replace(' ', '')}.txt"
    if out.exists():
        return out
    size = real.stat().st_size
    if target <= size:
        # Every k-th line of a sorted file is still sorted.
        keep = target / size
        with open(real, "rb") as src, open(out, "wb") as dst:
            acc = 0.0
            for line in src:
                acc += keep
                if acc >= 1.0:
                    acc -= 1.0
                    dst.write(line)
        return out
    # Larger than the real one: copies whose headwords carry a number, sorted
    # by tavik-dict itself (an external sort of about 1 GB).
    # As many copies as stay below 2^30 bytes, the largest file the lookup
    # addresses.
    copies = max(2, int(2**30 * 0.98 // size))
    raw = work / "copies.txt"
    log(f"building {label}: {copies} copies, then tavik-dict sort")
    with open(real, "rb") as src, open(raw, "wb") as dst:
        for line in src:
            dst.write(line)
            hw = headword(line)
            rest = line.lstrip(b"/")[len(hw):]
            for k in range(2, copies + 1):
                copy = hw + b" " + str(k).encode() + rest
                if len(copy) > 1022:
                    # Keep within the line limit, cutting between characters.
                    cut = 1021 - len(hw) - len(str(k)) - 1
                    body = rest[:cut]
                    while body and (body[-1] & 0xC0) == 0x80:
                        body = body[:-1]
                    if body and body[-1] >= 0xC0:
                        body = body[:-1]
                    copy = hw + b" " + str(k).encode() + body + b"\n"
                dst.write(copy)
    t = time.time()
    run([tool, "sort", str(raw), "-o", str(out), "--codepage", "utf-8"])
    log(f"sorted {out.stat().st_size / 1e6:.0f} MB in {time.time() - t:.0f} s")
    raw.unlink()
    return out


def stardict(dictionary, work):
    """The same entries as a StarDict dictionary for sdcv, through tabfile."""
    if not (SDCV and TABFILE.exists()):
        return None
    folder = work / (dictionary.stem + "-stardict")
    if (folder / "dict.ifo").exists():
        return folder
    folder.mkdir(exist_ok=True)
    tab = folder / "dict.tab"
    with open(dictionary, "rb") as src, open(tab, "wb") as dst:
        for line in src:
            line = line.rstrip(b"\n").replace(b"\\", b"\\\\").replace(b"\t", b" ")
            hw = headword(line)
            dst.write(hw + b"\t" + line.lstrip(b"/")[len(hw) + 1:] + b"\n")
    log("converting to StarDict:", dictionary.name)
    run([str(TABFILE), str(tab)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    tab.unlink()
    return folder


def simple_words(dictionary, count, seed):
    """Plain lower-case headwords spread over the file (every tool can find
    them), in random order."""
    words = []
    with open(dictionary, "rb") as f:
        for line in f:
            hw = headword(line)
            if hw.isalpha() and hw.islower() and hw.isascii() and len(hw) > 2:
                words.append(hw.decode())
    words = sorted(set(words))
    random.Random(seed).shuffle(words)
    return words[:count]


def timer(args, rounds, commands, stdin="-"):
    cmd = [args.timer, str(rounds), stdin]
    for c in commands:
        cmd += ["::"] + c
    out = run(cmd, capture_output=True, text=True).stdout.split("\n")
    return [float(line.split()[0]) for line in out if line.strip()]


def peak_rss(command, stdin=None):
    with open(stdin or os.devnull, "rb") as inp:
        r = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, stdin=inp,
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return int(r.stderr.strip().split("\n")[-1])


def commands_for(args, dictionary, sd, word):
    tav = [args.tool, "lookup", "--dict", str(dictionary), "--codepage", "utf-8",
           "--home", str(args.work), word]
    cmds = {"tavik-dict": tav, "/bin/true": ["/bin/true"]}
    if LOOK:
        cmds["look -f"] = [LOOK, "-f", "--", word + "/", str(dictionary)]
    if sd:
        cmds["sdcv"] = [SDCV, "-n", "-e", "-x", "--data-dir", str(sd), word]
    return cmds


def found_by_tavik(args, dictionary, words):
    inp = "\n".join(words) + "\n"
    r = subprocess.run([args.tool, "lookup", "--dict", str(dictionary), "--codepage", "utf-8",
                        "--home", str(args.work), "--format", "json"],
                       input=inp.encode(), capture_output=True)
    found = 0
    for line in r.stdout.decode("utf-8", "replace").splitlines():
        o = json.loads(line)
        items, sel = o["neighbours"], o["selected"]
        if o["message"] is None and 0 <= sel < len(items) and items[sel].lower() == o["word"].lower():
            found += 1
    return found


def found_by_sdcv(sd, words):
    found = 0
    for i in range(0, len(words), 1000):
        r = subprocess.run([SDCV, "-n", "-e", "-j", "-x", "--data-dir", str(sd)] + words[i:i + 1000],
                           capture_output=True)
        found += sum(1 for line in r.stdout.decode("utf-8", "replace").splitlines()
                     if line.startswith("[{"))
    return found


def found_by_look(dictionary, words):
    return sum(1 for w in words
               if subprocess.run([LOOK, "-f", "--", w + "/", str(dictionary)],
                                 stdout=subprocess.DEVNULL).returncode == 0)


def absent_word(args, dictionary, word):
    """A word that is no headword of the dictionary, near `word` in order."""
    for suffix in ("qzx", "qzxq", "xqzv"):
        candidate = word + suffix
        r = subprocess.run([args.tool, "lookup", "--dict", str(dictionary), "--codepage", "utf-8",
                            "--home", str(args.work), "--format", "json", "--exact", candidate],
                           capture_output=True)
        if r.returncode != 0:
            return candidate
    return word + "qzx"


def load():
    return "load average {:.2f} {:.2f} {:.2f}".format(*os.getloadavg())


class Report:
    """What the run prints: kept to be put into the README as well."""

    def __init__(self):
        self.lines = []

    def __call__(self, text=""):
        print(text, flush=True)
        self.lines.append(text)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--tool", required=True)
    p.add_argument("--work", required=True, type=Path)
    p.add_argument("--timer", required=True)
    p.add_argument("--gui")
    p.add_argument("--quick", action="store_true",
                   help="fewer rounds, no count of the headwords each tool finds")
    p.add_argument("--rounds", type=int)
    p.add_argument("--batch-words", type=int, default=5000)
    p.add_argument("--look-sample", type=int, default=20000)
    p.add_argument("--readme", type=Path,
                   help="also put the figures into this README, between its bench markers")
    args = p.parse_args()
    if args.rounds is None:
        args.rounds = int(os.environ.get("TAVIK_BENCH_ROUNDS", 40 if args.quick else 200))
    began = time.time()
    load_before = load()

    real, source = real_dictionary(args.tool, args.work)
    rows = []
    for label, target in SIZES:
        dictionary = sized(args.tool, real, args.work, label, target)
        sd = stardict(dictionary, args.work)
        words = simple_words(dictionary, args.batch_words, 5)
        word = words[0]
        absent = absent_word(args, dictionary, words[1])
        cmds = {}
        for kind, w in (("present", word), ("absent", absent)):
            for name, c in commands_for(args, dictionary, sd, w).items():
                if name != "/bin/true" or kind == "present":
                    cmds[(kind, name)] = c
        keys = list(cmds)
        log(f"{label}: one lookup per process, {args.rounds} rounds, words '{word}' and '{absent}'")
        medians = dict(zip(keys, timer(args, args.rounds, [cmds[k] for k in keys])))
        floor = medians[("present", "/bin/true")]
        medians[("absent", "/bin/true")] = floor
        # grep reads the file from the start: fewer rounds, against the floor.
        grep = ["/bin/grep", "-m1", "-i", "^" + word + "/", str(dictionary)]
        g, grep_floor = timer(args, max(5, args.rounds // 40), [grep, ["/bin/true"]])
        medians[("present", "grep -m1")] = g * floor / grep_floor
        batch = args.work / f"batch-{label.replace(' ', '')}.txt"
        batch.write_text("\n".join(words) + "\n")
        batch_cmds = [[args.tool, "lookup", "--dict", str(dictionary), "--codepage", "utf-8",
                       "--home", str(args.work), "--format", "json"]]
        if sd:
            # sdcv takes its words as arguments, not on standard input.
            batch_cmds.append([SDCV, "-n", "-e", "-x", "--data-dir", str(sd)] + words)
        batch_times = timer(args, 3 if args.quick else 10, batch_cmds, str(batch))
        rss = {n: peak_rss(c) for (kind, n), c in cmds.items() if kind == "present"}
        rss["tavik-dict batch"] = peak_rss(batch_cmds[0], batch)
        rows.append((label, dictionary.stat().st_size, medians, batch_times, rss, bool(sd),
                     len(words)))

    found = None
    if not args.quick:
        found = count_found(args, real)

    out = Report()
    print_table(out, rows, found, source, real, args, load_before)
    minutes = (time.time() - began) / 60
    out(f"\nThe run took {minutes:.1f} minutes; {load()} at its end.")
    if args.readme:
        put_into_readme(args.readme, out.lines)


def count_found(args, real):
    """How many headwords of the real dictionary each tool finds."""
    all_words = []
    seen = set()
    with open(real, "rb") as f:
        for line in f:
            hw = headword(line).decode("utf-8", "replace")
            if hw.strip() and hw.lower() not in seen:
                seen.add(hw.lower())
                all_words.append(hw)
    log(f"finding all {len(all_words)} headwords of the real dictionary")
    found = {"tavik-dict": (found_by_tavik(args, real, all_words), len(all_words))}
    real_sd = stardict(real, args.work)
    if real_sd:
        found["sdcv"] = (found_by_sdcv(real_sd, all_words), len(all_words))
    if LOOK:
        sample = random.Random(9).sample(all_words, min(args.look_sample, len(all_words)))
        found["look -f"] = (found_by_look(real, sample), len(sample))
    return found


README_BEGIN = "<!-- bench/run.sh figures: begin -->"
README_END = "<!-- bench/run.sh figures: end -->"


def put_into_readme(readme, lines):
    text = readme.read_text()
    begin, end = text.find(README_BEGIN), text.find(README_END)
    if begin < 0 or end < begin:
        log(f"{readme} has no {README_BEGIN} ... {README_END} section: left as it was")
        return
    body = "\n".join(lines).strip("\n")
    readme.write_text(text[:begin + len(README_BEGIN)] + "\n\n" + body + "\n\n" + text[end:])
    log(f"figures put into {readme}")


def print_table(out, rows, found, source, real, args, load_before):
    out(f"Taken {time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())} on {os.cpu_count()} cores, "
        f"{load_before} at the start{' (quick run)' if args.quick else ''}. Dictionaries from "
        f"{source}; medians of {args.rounds} runs of one lookup per process, the tools taking "
        f"turns, warm page cache.")
    out()
    out("| size | word | tavik-dict | look -f | sdcv | grep -m1 | /bin/true "
        "| tavik/true | look/true | tavik/look |")
    out("|---|---|---|---|---|---|---|---|---|---|")
    for label, size, m, batch, rss, has_sd, batch_words in rows:
        for kind in ("present", "absent"):
            def ms(name):
                return f"{m[(kind, name)] / 1000:.2f} ms" if (kind, name) in m else "n/a"

            def ratio(a, b):
                if (kind, a) in m and (kind, b) in m:
                    return f"{m[(kind, a)] / m[(kind, b)]:.2f}"
                return "n/a"
            out(f"| {label} ({size / 1e6:.0f} MB) | {kind} | {ms('tavik-dict')} | {ms('look -f')} "
                f"| {ms('sdcv')} | {ms('grep -m1')} | {ms('/bin/true')} "
                f"| {ratio('tavik-dict', '/bin/true')} | {ratio('look -f', '/bin/true')} "
                f"| {ratio('tavik-dict', 'look -f')} |")
    if not SDCV:
        out("\nsdcv is not installed: its columns are n/a.")
    out()
    out(f"Batches (up to {args.batch_words} plain headwords of each file on standard input, "
        f"JSON output, medians of {3 if args.quick else 10} runs, the process start included):")
    out()
    out("| size | words | tavik-dict (lookups/s) | sdcv (lookups/s) |")
    out("|---|---|---|---|")
    for label, size, m, batch, rss, has_sd, batch_words in rows:
        bt = f"{batch_words / (batch[0] / 1e6):,.0f}"
        bs = f"{batch_words / (batch[1] / 1e6):,.0f}" if has_sd else "n/a"
        out(f"| {label} | {batch_words} | {bt} | {bs} |")
    out()
    out("Peak resident memory (KB):")
    out()
    names = list(rows[0][4])
    out("| size | " + " | ".join(names) + " |")
    out("|---" * (len(names) + 1) + "|")
    for label, size, m, batch, rss, has_sd, batch_words in rows:
        out(f"| {label} | " + " | ".join(str(rss[n]) for n in names) + " |")
    if found:
        out()
        out(f"Headwords of the real dictionary ({real.stat().st_size / 1e6:.0f} MB) found:")
        out()
        for name, (hit, total) in found.items():
            out(f"- {name}: {hit} of {total} ({100 * hit / total:.1f} %)")
    gui = Path(args.gui) if args.gui else None
    if not gui or not gui.exists():
        out("\nWindow timings skipped: the window was not built.")
        return
    big = args.work / "dict-1GB.txt"
    out()
    out(f"Window timings on {big.name} (under Xvfb; the page painted before the clock stops):")
    out()
    # The spawn time is taken inside the display's session, right before the
    # program starts, so the figure includes loading its libraries.
    spawner = ("import os,subprocess,sys,time\n"
               "env=dict(os.environ,TAVIK_SPAWN_NS=str(time.monotonic_ns()))\n"
               "sys.exit(subprocess.call(sys.argv[1:],env=env))")
    # Long entries first (whole entries of many lines), then common words.
    for title, words in (("light, run, set", ["light", "run", "set"]),
                         ("18 words spread over the file", simple_words(big, 18, 5))):
        r = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1600x1200x24", sys.executable,
                            "-c", spawner, str(gui), "--codepage", "utf-8", "--dict", str(big)]
                           + words, capture_output=True, text=True)
        out(f"    {title}:")
        for line in r.stdout.splitlines():
            if not line.startswith("  ") and not line.startswith("dictionary:"):
                out("      " + line)


if __name__ == "__main__":
    main()
