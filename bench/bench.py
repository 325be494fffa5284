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


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--tool", required=True)
    p.add_argument("--work", required=True, type=Path)
    p.add_argument("--timer", required=True)
    p.add_argument("--gui")
    p.add_argument("--rounds", type=int, default=int(os.environ.get("TAVIK_BENCH_ROUNDS", 200)))
    p.add_argument("--look-sample", type=int, default=20000)
    args = p.parse_args()

    real, source = real_dictionary(args.tool, args.work)
    rows = []
    for label, target in SIZES:
        dictionary = sized(args.tool, real, args.work, label, target)
        sd = stardict(dictionary, args.work)
        words = simple_words(dictionary, 1000, 5)
        word = words[0]
        cmds = commands_for(args, dictionary, sd, word)
        names = list(cmds)
        log(f"{label}: one lookup per process, {args.rounds} rounds, word '{word}'")
        medians = dict(zip(names, timer(args, args.rounds, [cmds[n] for n in names])))
        # grep reads the file from the start: fewer rounds, against the floor.
        grep = ["/bin/grep", "-m1", "-i", "^" + word + "/", str(dictionary)]
        g, floor = timer(args, max(5, args.rounds // 40), [grep, ["/bin/true"]])
        medians["grep -m1"] = g * medians["/bin/true"] / floor
        batch = args.work / f"batch-{label.replace(' ', '')}.txt"
        batch.write_text("\n".join(words) + "\n")
        batch_cmds = [[args.tool, "lookup", "--dict", str(dictionary), "--codepage", "utf-8",
                       "--home", str(args.work), "--format", "json"]]
        if sd:
            # sdcv takes its words as arguments, not on standard input.
            batch_cmds.append([SDCV, "-n", "-e", "-x", "--data-dir", str(sd)] + words)
        batch_times = timer(args, 10, batch_cmds, str(batch))
        rss = {n: peak_rss(c) for n, c in cmds.items()}
        rss["tavik-dict batch"] = peak_rss(batch_cmds[0], batch)
        rows.append((label, dictionary.stat().st_size, medians, batch_times, rss, bool(sd)))

    # How many headwords of the real dictionary each tool finds.
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

    print_table(rows, found, source, real, args)


def print_table(rows, found, source, real, args):
    print(f"\nDictionaries from {source}; medians of {args.rounds} alternating runs, warm page cache.\n")
    print("| size | tavik-dict | look -f | sdcv | grep -m1 | /bin/true | tavik/look | tavik/true "
          "| batch tavik (lookups/s) | batch sdcv (lookups/s) |")
    print("|---|---|---|---|---|---|---|---|---|---|")
    for label, size, m, batch, rss, has_sd in rows:
        def ms(name):
            return f"{m[name] / 1000:.2f} ms" if name in m else "n/a"
        tl = f"{m['tavik-dict'] / m['look -f']:.2f}" if "look -f" in m else "n/a"
        tt = f"{m['tavik-dict'] / m['/bin/true']:.2f}"
        bt = f"{1000 / (batch[0] / 1e6):,.0f}"
        bs = f"{1000 / (batch[1] / 1e6):,.0f}" if has_sd else "n/a"
        print(f"| {label} ({size / 1e6:.0f} MB) | {ms('tavik-dict')} | {ms('look -f')} | {ms('sdcv')} "
              f"| {ms('grep -m1')} | {ms('/bin/true')} | {tl} | {tt} | {bt} | {bs} |")
    print("\nPeak resident memory (KB):\n")
    names = list(rows[0][4])
    print("| size | " + " | ".join(names) + " |")
    print("|---" * (len(names) + 1) + "|")
    for label, size, m, batch, rss, has_sd in rows:
        print(f"| {label} | " + " | ".join(str(rss[n]) for n in names) + " |")
    print(f"\nHeadwords of the real dictionary ({real.stat().st_size / 1e6:.0f} MB) found:\n")
    for name, (hit, total) in found.items():
        print(f"- {name}: {hit} of {total} ({100 * hit / total:.1f} %)")
    gui = Path(args.gui) if args.gui else None
    if not gui or not gui.exists():
        print("\nGUI timings skipped: the window was not built.")
        return
    big = args.work / "dict-1GB.txt"
    print(f"\nGUI timings on {big.name} (under Xvfb; the page painted before the clock stops):\n")
    # The spawn time is taken inside the display's session, right before the
    # program starts, so the figure includes loading its libraries.
    spawner = ("import os,subprocess,sys,time\n"
               "env=dict(os.environ,TAVIK_SPAWN_NS=str(time.monotonic_ns()))\n"
               "sys.exit(subprocess.call(sys.argv[1:],env=env))")
    words = simple_words(big, 18, 5)
    out = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1600x1200x24", sys.executable, "-c",
                          spawner, str(gui), "--codepage", "utf-8", "--dict", str(big)] + words,
                         capture_output=True, text=True)
    for line in out.stdout.splitlines():
        if not line.startswith("  "):
            print("    " + line)


if __name__ == "__main__":
    main()
