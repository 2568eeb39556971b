#!/usr/bin/env python3
"""make bench: times mapio-cli against a floor program of ours in C++ and a
plain Python script, on generated folders, and prints medians, ratios and
peak memory side by side."""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
WORDS = ('amber cedar delta ember falcon garnet harbor indigo juniper kestrel '
         'lumen meadow nectar onyx pepper quartz raven saffron tundra umber '
         'velvet willow xenon yarrow zephyr').split()
EXTENSIONS = ('.png', '.jpg', '.gif')
FIRST_ID = 1000000
CHECK_TARGET = 2.0  # most times the make job on the same folder
# Pictures added to a mapped folder for the update, and its most times the make job.
UPDATE_ADDED = 100
UPDATE_TARGET = 1.5

# (job, variant) -> (most times the floor, largest peak in MB), at the largest size.
TARGETS = {
    ('make -n', 'ids'): (1.5, 64),
    ('translate', 'exact'): (1.25, 64),
    ('translate', 'case'): (2.0, 64),
}


MEASURE = None  # measure_child, set in main
REPORT = None


def timed(cmd, stdin_path=None):
    """Wall time, peak resident size (MB) and exit status of one child, as
    measure_child (fork, exec, wait4) sees them."""
    stdin = open(stdin_path, 'rb') if stdin_path else subprocess.DEVNULL
    try:
        status = subprocess.run([MEASURE, REPORT] + cmd, stdin=stdin,
                                stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL).returncode
    finally:
        if stdin_path:
            stdin.close()
    with open(REPORT) as report:
        elapsed, maxrss_kb = report.read().split()
    return float(elapsed), int(maxrss_kb) / 1024.0, status


def letters(i):
    out = ''
    while True:
        out = chr(ord('a') + i % 26) + out
        i //= 26
        if i == 0:
            return out


def touch(path):
    with open(path, 'wb'):
        pass


def make_id_folder(path, count):
    os.makedirs(path)
    for i in range(count):
        touch(os.path.join(path, f'{FIRST_ID + i}{EXTENSIONS[i % 3]}'))


def make_word_folder(path, count, capitalised, cli):
    """Word-named pictures and a config.xml that gives each its own ID,
    written by mapio-cli make answering its prompts from a list of numbers."""
    os.makedirs(path)
    for i in range(count):
        base = f'{WORDS[i % len(WORDS)]}_{letters(i)}'
        if capitalised:
            base = base.capitalize()
        touch(os.path.join(path, base + EXTENSIONS[i % 3]))
    answers = path + '.ids'
    with open(answers, 'w') as out:
        out.writelines(f'{FIRST_ID + i}\n' for i in range(count))
    _, _, status = timed([cli, 'make', '-q', path], answers)
    os.remove(answers)
    with open(os.path.join(path, 'config.xml')) as mapping:
        records = sum(1 for line in mapping if '<record from=' in line)
    if status != 0 or records != count:
        sys.exit(f'mapping for {path}: status {status}, {records} of {count} records')


def remove(path):
    subprocess.run(['rm', '-rf', path], check=True)


def fresh_copy(template, work):
    """A new folder holding the template's files. Hard links: the pictures
    are empty, and renaming a link leaves the template as it was."""
    remove(work)
    subprocess.run(['cp', '-al', template, work], check=True)


def count_renamed(folder):
    return sum(1 for name in os.listdir(folder) if name.split('.')[0].isdigit())


def bench_make(programs, folder, runs):
    results = {name: [] for name in programs}
    for name, cmd in programs.items():  # warm the caches, untimed
        timed(cmd + [folder])
    for _ in range(runs):
        for name, cmd in programs.items():
            results[name].append(timed(cmd + [folder]))
    return results


def bench_translate(programs, template, work, count, runs):
    results = {name: [] for name in programs}
    for _ in range(runs):
        for name, cmd in programs.items():
            fresh_copy(template, work)
            results[name].append(timed(cmd + [work]))
            renamed = count_renamed(work)
            if renamed != count:
                print(f'  note: {name} renamed {renamed} of {count}', file=sys.stderr)
    remove(work)
    return results


def bench_check(cli, folder, runs):
    """mapio-cli check on a folder the make job has just mapped: it must find
    nothing, so every run exits 0."""
    cmd = [cli, 'check', '-q', folder]
    timed(cmd)  # warm the caches, untimed
    return [timed(cmd) for _ in range(runs)]


def bench_update(cli, folder, size, runs, added=UPDATE_ADDED):
    """mapio-cli update -n on the make job's folder after `added` new
    pictures came: each run starts from the same config.xml, kept outside
    the folder, and must map exactly the new ones."""
    mapping = os.path.join(folder, 'config.xml')
    saved = folder + '.config.xml'
    shutil.copyfile(mapping, saved)
    for i in range(added):
        touch(os.path.join(folder, f'{FIRST_ID + size + i}.png'))
    results = []
    for run in range(runs + 1):  # the first warms the caches, untimed
        shutil.copyfile(saved, mapping)
        result = timed([cli, 'update', '-n', '-q', folder])
        with open(mapping) as text:
            records = sum(1 for line in text if '<record from=' in line)
        if records != size + added:
            sys.exit(f'update of {folder}: {records} records, {size + added} expected')
        if run:
            results.append(result)
    os.remove(saved)
    return results


def against_make(rows, what, runs, size, target):
    """`what` takes at most `target` times the make job on the same folder."""
    make = next(r['median'] for r in rows if (r['job'], r['files'], r['program']) ==
                ('make -n', size, 'mapio-cli'))
    median = statistics.median(t for t, _, _ in runs)
    peak = max(m for _, m, _ in runs)
    statuses = sorted({s for _, _, s in runs})
    ok = median <= target * make and statuses == [0]
    print(f'  {what}: {median:.4f} s, {median / make:.2f}x make -n ({make:.4f} s; '
          f'<= {target}), {peak:.1f} MB, exit {statuses}: {"met" if ok else "MISSED"}')
    return 0 if ok else 1


def summarise(job, variant, count, results, rows):
    medians = {name: statistics.median(t for t, _, _ in runs) for name, runs in results.items()}
    for name, runs in results.items():
        statuses = {s for _, _, s in runs}
        rows.append({
            'job': job, 'variant': variant, 'files': count, 'program': name,
            'median': medians[name],
            'floor': medians[name] / medians['floor'],
            'python': medians[name] / medians['python'],
            'peak': max(m for _, m, _ in runs),
            'status': ','.join(str(s) for s in sorted(statuses)),
        })


def print_table(rows):
    print(f"{'job':<10} {'variant':<7} {'files':>7} {'program':<10} {'median s':>9} "
          f"{'x floor':>8} {'x python':>9} {'peak MB':>8} {'exit':>5}")
    for r in rows:
        print(f"{r['job']:<10} {r['variant']:<7} {r['files']:>7} {r['program']:<10} "
              f"{r['median']:>9.4f} {r['floor']:>8.2f} {r['python']:>9.2f} "
              f"{r['peak']:>8.1f} {r['status']:>5}")


def check_targets(rows, size):
    print(f'\nTargets at {size} files:')
    missed = 0
    for (job, variant), (most, peak) in TARGETS.items():
        for r in rows:
            if (r['job'], r['variant'], r['files'], r['program']) != (job, variant, size,
                                                                      'mapio-cli'):
                continue
            ok = r['floor'] <= most and r['peak'] < peak and r['python'] < 1.0
            missed += not ok
            print(f"  {job} {variant}: {r['floor']:.2f}x floor (<= {most}), "
                  f"{r['peak']:.1f} MB (< {peak}), {r['python']:.2f}x python (< 1): "
                  f"{'met' if ok else 'MISSED'}")
    return missed


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument('--build', default='build-bench', help='the Release build folder')
    parser.add_argument('--sizes', type=int, nargs='+', default=[10000, 200000])
    parser.add_argument('--runs', type=int, default=5)
    parser.add_argument('--tmp', help='where the folders go (default: inside --build)')
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    cli = os.path.join(build, 'cli', 'mapio-cli')
    floor_make = os.path.join(build, 'bench', 'floor_make')
    floor_translate = os.path.join(build, 'bench', 'floor_translate')
    global MEASURE, REPORT
    MEASURE = os.path.join(build, 'bench', 'measure_child')
    for program in (cli, floor_make, floor_translate, MEASURE):
        if not os.access(program, os.X_OK):
            sys.exit(f'missing {program}: build it first (make bench)')
    os.makedirs(args.tmp or build, exist_ok=True)
    tmp = tempfile.mkdtemp(prefix='mapio-bench-', dir=args.tmp or build)
    REPORT = os.path.join(tmp, 'report')

    make_programs = {
        'mapio-cli': [cli, 'make', '-n', '-y', '-q'],
        'floor': [floor_make],
        'python': [sys.executable, os.path.join(HERE, 'naive_make.py')],
    }
    translate_programs = {
        'mapio-cli': [cli, 'translate', '-q'],
        'floor': [floor_translate],
        'python': [sys.executable, os.path.join(HERE, 'naive_translate.py')],
    }
    rows = []
    checks = {}
    updates = {}
    try:
        for size in args.sizes:
            print(f'{size} files ...', file=sys.stderr)
            folder = os.path.join(tmp, f'ids-{size}')
            make_id_folder(folder, size)
            summarise('make -n', 'ids', size, bench_make(make_programs, folder, args.runs), rows)
            checks[size] = bench_check(cli, folder, args.runs)
            updates[size] = bench_update(cli, folder, size, args.runs)
            remove(folder)
            for variant, capitalised in (('exact', False), ('case', True)):
                template = os.path.join(tmp, f'words-{variant}-{size}')
                make_word_folder(template, size, capitalised, cli)
                results = bench_translate(translate_programs, template, template + '-work',
                                          size, args.runs)
                summarise('translate', variant, size, results, rows)
                remove(template)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    print_table(rows)
    missed = check_targets(rows, max(args.sizes))
    size = max(args.sizes)
    missed += against_make(rows, 'check ids', checks[size], size, CHECK_TARGET)
    missed += against_make(rows, f'update ids, {UPDATE_ADDED} new', updates[size], size,
                           UPDATE_TARGET)
    return 1 if missed else 0


if __name__ == '__main__':
    sys.exit(main())
