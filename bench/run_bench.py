#!/usr/bin/env python3
"""make bench: times mapio-cli against floor programs of ours in C++ (the
least work each job's output needs) and plain Python scripts, on generated
folders of empty pictures, and prints medians, ratios and peak memory.

At each size (default 10k, 100k, 200k, 550k) and for each kind of names:
  ids      1000000.png, 1000001.jpg, ...
  words    amber_a.png, ... (mapped to IDs by typed answers)
  idwords  10000000_Amber_Amberson.PNG, ... (long names, as real face packs)
it runs
  make -n -y   mapio-cli, floor_make, naive_make.py            (all kinds)
  translate    mapio-cli, floor_translate, naive_translate.py  words: exact
               (names as mapped) and case (Capitalised files); idwords: case
               (its files are mixed case, the mapping lower case)
  check        mapio-cli on the mapped folder, against make's median there
               (idwords: each picture is a letter-case finding, exit 1)
  journal      translate as above against translate with no place for its
               journal (XDG_DATA_HOME unusable), which then runs as before
  undo         mapio-cli undo after each of its translates, against the floor
               translate: it must give back every name, its peak at most 1.5
               times the translate's
  update       mapio-cli, 100 pictures added to the mapped folder (typed IDs
               for words, -n otherwise), against make's median there
  convert      mapio-cli convert --to r, then --to plain, on the mapped folder
               (each timed), against make's median there; the round trip
               must give the same bytes, the peak at most twice the file
Once, on a graphics folder of a 550,000-face pack, a second one with the
same IDs in another folder (every record a clash) and 80,000 club logos:
  scan         mapio-cli scan --no-pictures, against the sum of check
               --no-pictures over the three packs (time and peak)
  why          mapio-cli why of one face, against that scan
Above 200k files the Python scripts and the words/case translate are left
out, to keep the whole run near half an hour on two cores: the scripts add
minutes, not insight, and idwords/case covers letter case at full size.
Each figure is the median of --runs runs (default 5) after one untimed warm
run; the programs take turns run by run. Beside wall seconds the table
gives the CPU seconds each program spent in its own code (user) and in the
kernel (sys): translate is bound by its renames, which both it and its
floor make, so at 200k its own work is judged by its user seconds; at
550k its wall time is held to the floor's. Each picture is created once,
in a stock folder per kind that grows from size to size; the folders the
jobs run on are hard-link copies of it.
Exits 1 when a target is missed."""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bench_folders as bf  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
PYTHON_MAX = 200000  # also the largest size of the words/case translate
UPDATE_ADDED = 100
# Size steps: time may grow at most this much more than the file count, and
# memory above the program's idle peak too, give or take MEMORY_SLACK MB.
SCALING_TOLERANCE = 0.25
MEMORY_SLACK = 2.0
JOBS = ('make', 'translate', 'check', 'update', 'convert', 'scan')
SCAN_FACES = 550000
SCAN_LOGOS = 80000
FIRST_LOGO = 1  # club IDs, apart from the faces' IDs
TRANSLATE_PEAK = 64.0
# Translate against its floor: at 200,000 pictures user seconds at most the
# floor's plus USER_SLACK; at 550,000 wall seconds at most WALL_FACTOR
# times the floor's.
USER_SLACK = 0.1
WALL_FACTOR = 1.05
# Undo's peak at most this many times that of the translate it takes back.
UNDO_PEAK_FACTOR = 1.5


def target_for(job, names, size):
    """(most times the base, peak rule) the issue sets for a row, or None.
    Most times the base is a ratio of wall times, or 'user' for the user
    seconds against the floor's. The peak rule is a number of MB, 'floor'
    (at most the floor's peak) or None."""
    if job == 'make -n' and names == 'idwords' and size == 550000:
        return 0.8, 'floor'
    if job == 'translate' and size == 200000:
        return 'user', None
    if job == 'translate' and size == 550000:
        return WALL_FACTOR, TRANSLATE_PEAK
    if job == 'check' and size in (200000, 550000):
        return (2.0 if size == 200000 else 1.5), None
    if job == 'update' and size == 200000:
        return 1.5, None
    if job == 'journal' and size in (200000, 550000):
        return 1.05, None
    if job == 'undo' and size in (200000, 550000):
        return 1.05, 'translate x1.5'  # judged beside the translate it takes back
    if job == 'convert' and size == 550000:
        return 1.0, 'file x2'
    if job == 'scan':
        return 1.3, 'floor'
    if job == 'why':
        return 1.0, None
    return None


def median(runs, field='seconds'):
    return statistics.median(getattr(r, field) for r in runs)


def peak(runs):
    return max(r.mb for r in runs)


def bench_make(programs, folder, runs):
    """make -n: every program writes config.xml; all must write the same."""
    results = {name: [] for name in programs}
    digests = {}
    for name, cmd in programs.items():  # warm the caches, untimed
        bf.timed(cmd + [folder])
        digests[name] = bf.digest(os.path.join(folder, 'config.xml'))
    if len(set(digests.values())) != 1:
        print(f'  note: the make programs wrote different files in {folder}', file=sys.stderr)
    for _ in range(runs):
        for name, cmd in programs.items():
            results[name].append(bf.timed(cmd + [folder]))
    return results


def bench_translate(programs, template, count, runs, cli):
    """Each program translates a fresh copy; mapio-cli's translate is then
    undone from its journal, timed as 'undo', which must give back every
    name."""
    work = template + '-work'
    results = {name: [] for name in programs}
    results['undo'] = []
    for _ in range(runs):
        for name, cmd in programs.items():
            bf.fresh_copy(template, work)
            before = sorted(os.listdir(work)) if name == 'mapio-cli' else None
            results[name].append(bf.timed(cmd + [work]))
            renamed = bf.count_renamed(work)
            if renamed != count:
                print(f'  note: {name} renamed {renamed} of {count}', file=sys.stderr)
            if before is not None:
                results['undo'].append(bf.timed([cli, 'undo', '-q', work]))
                if sorted(os.listdir(work)) != before:
                    print('  note: undo did not give back every name', file=sys.stderr)
    bf.remove(work)
    return results


def bench_convert(cli, folder, runs):
    """convert to r- and back on the mapped folder: the round trip must give
    the same bytes. Both directions are timed."""
    mapping = os.path.join(folder, 'config.xml')
    before = bf.digest(mapping)
    results = []
    for run in range(runs + 1):  # the first warms the caches, untimed
        for style in ('r', 'plain'):
            result = bf.timed([cli, 'convert', '-q', '--to', style, folder])
            if run:
                results.append(result)
    if bf.digest(mapping) != before:
        sys.exit(f'convert of {folder}: the round trip changed config.xml')
    return results


def bench_check(cli, folder, runs):
    """check on a mapped folder: it must find nothing (exit 0), but in a
    folder of mixed-case names every picture is a letter-case finding."""
    # Its pictures are empty files: the check of the records alone.
    cmd = [cli, 'check', '-q', '--no-pictures', folder]
    bf.timed(cmd)  # warm the caches, untimed
    return [bf.timed(cmd) for _ in range(runs)]


def bench_update(cli, folder, kind, size, runs):
    """update after UPDATE_ADDED new pictures came: each run starts from the
    same config.xml and must map exactly the new ones."""
    mapping = os.path.join(folder, 'config.xml')
    saved = folder + '.config.xml'
    shutil.copyfile(mapping, saved)
    bf.add_pictures(folder, kind, size, UPDATE_ADDED)
    answers = None
    cmd = [cli, 'update', '-n', '-q', folder]
    if kind == 'words':
        answers = folder + '.ids'
        bf.write_answers(answers, size, UPDATE_ADDED)
        cmd = [cli, 'update', '-q', folder]
    results = []
    for run in range(runs + 1):  # the first warms the caches, untimed
        shutil.copyfile(saved, mapping)
        result = bf.timed(cmd, answers)
        if bf.count_records(folder) != size + UPDATE_ADDED:
            sys.exit(f'update of {folder}: {bf.count_records(folder)} records, '
                     f'{size + UPDATE_ADDED} expected')
        if run:
            results.append(result)
    os.remove(saved)
    if answers:
        os.remove(answers)
    return results


def bench_scan(cli, tmp, runs, rows):
    """scan --no-pictures of a graphics folder against check --no-pictures
    of each of its packs, summed run by run (their peaks summed too); why of
    one face against the scan. Every face is a clash: scan exits 1, and so
    does why, which finds two records."""
    graphics = os.path.join(tmp, 'graphics')
    packs = {'faces': os.path.join(graphics, 'megapack'),
             'faces again': os.path.join(graphics, 'updates', 'megapack-2'),
             'club logos': os.path.join(graphics, 'logos')}
    # Made beside the graphics folder, whose stock of pictures stays out of it.
    made = os.path.join(tmp, 'scan-megapack')
    bf.make_folder(made, 'ids', SCAN_FACES, cli)
    os.makedirs(os.path.dirname(packs['faces again']))
    os.rename(made, packs['faces'])
    subprocess.run(['cp', '-al', packs['faces'], packs['faces again']], check=True)
    os.makedirs(packs['club logos'])
    for i in range(SCAN_LOGOS):
        bf.touch(os.path.join(packs['club logos'], f'{FIRST_LOGO + i}.png'))
    bf.timed([cli, 'make', '-n', '-y', '-q', '-k', 'club-logos', packs['club logos']])
    commands = {name: [cli, 'check', '-q', '--no-pictures', path] for name, path in packs.items()}
    commands['scan'] = [cli, 'scan', '-q', '--no-pictures', graphics]
    commands['why'] = [cli, 'why', graphics, str(bf.FIRST_ID + SCAN_FACES // 2)]
    results = {name: [] for name in commands}
    for run in range(runs + 1):  # the first warms the caches, untimed
        for name, cmd in commands.items():
            result = bf.timed(cmd)
            if run:
                results[name].append(result)
    checks = [results[name] for name in packs]
    peaks = sum(peak(runs) for runs in checks)
    summed = [bf.Run(sum(r.seconds for r in each), peaks, 0, sum(r.user for r in each),
                     sum(r.sys for r in each)) for each in zip(*checks)]
    records = 2 * SCAN_FACES + SCAN_LOGOS
    rows.append(row('scan', 'no-pict', 'graphics', records, results['scan'], 'checks', summed,
                    expected_exit=1))
    rows.append(row('why', '', 'graphics', records, results['why'], 'scan', results['scan'],
                    expected_exit=1))
    bf.remove(graphics)


def row(job, variant, names, size, cli_runs, against, base_runs, python_runs=None,
        expected_exit=0):
    r = {'job': job, 'variant': variant, 'names': names, 'files': size,
         'mapio-cli s': median(cli_runs), 'mapio-cli MB': peak(cli_runs),
         'mapio-cli user': median(cli_runs, 'user'), 'mapio-cli sys': median(cli_runs, 'sys'),
         'against': against, 'base s': median(base_runs), 'base MB': peak(base_runs),
         'base user': median(base_runs, 'user'), 'base sys': median(base_runs, 'sys'),
         'python s': median(python_runs) if python_runs else None,
         'exit': sorted({r.status for r in cli_runs}), 'expected exit': expected_exit}
    r['ratio'] = r['mapio-cli s'] / r['base s']
    target = target_for(job, names, size)
    r['target'], r['met'] = '', None
    if target:
        most, peak_rule = target
        if most == 'user':
            ok = r['mapio-cli user'] <= r['base user'] + USER_SLACK
            r['target'] = f'user <= base + {USER_SLACK}s'
        else:
            ok = r['ratio'] <= most
            r['target'] = f'<= {most}x'
        ok = ok and r['exit'] == [expected_exit]
        if peak_rule == 'floor':
            ok = ok and r['mapio-cli MB'] <= r['base MB']
            r['target'] += ', MB <= floor'
        elif peak_rule == 'file x2':
            r['target'] += ', MB <= 2x file'  # judged once the file's size is known
        elif peak_rule == 'translate x1.5':
            r['target'] += f', MB <= {UNDO_PEAK_FACTOR}x translate'  # judged in bench_kind
        elif peak_rule:
            ok = ok and r['mapio-cli MB'] <= peak_rule
            r['target'] += f', <= {peak_rule:.0f} MB'
        r['met'] = ok
    return r


def bench_kind(progs, kind, size, tmp, runs, rows, jobs):
    cli = progs['cli']
    use_python = size <= PYTHON_MAX

    def chosen(job):
        return {k: v for k, v in progs[job].items() if use_python or k != 'python'}

    folder = os.path.join(tmp, f'{kind}-{size}')
    bf.make_folder(folder, kind, size, cli)
    if jobs & {'make', 'check', 'update', 'convert'}:  # make's times are the others' base
        mapped = folder + '.mapped.xml'
        shutil.copyfile(os.path.join(folder, 'config.xml'), mapped)
        make = bench_make(chosen('make'), folder, runs)
        rows.append(row('make -n', '', kind, size, make['mapio-cli'], 'floor', make['floor'],
                        make.get('python')))
        shutil.copyfile(mapped, os.path.join(folder, 'config.xml'))
        os.remove(mapped)
    templates = []
    if kind == 'words':
        templates = [('exact', folder, False)]
        if use_python:
            templates.append(('case', folder + '-Case', True))
    elif kind == 'idwords':
        templates = [('case', folder, False)]
    if 'translate' not in jobs:
        templates = []
    for variant, template, capitalised in templates:
        if template != folder:
            bf.make_folder(template, kind, size, cli, capitalised)
        result = bench_translate(chosen('translate'), template, size, runs, cli)
        rows.append(row('translate', variant, kind, size, result['mapio-cli'], 'floor',
                        result['floor'], result.get('python')))
        # Translate with its journal against translate without one.
        rows.append(row('journal', variant, kind, size, result['mapio-cli'], 'none',
                        result['no journal']))
        undo = row('undo', variant, kind, size, result['undo'], 'floor', result['floor'])
        if undo['met'] is not None:
            limit = UNDO_PEAK_FACTOR * peak(result['mapio-cli'])
            undo['met'] = undo['met'] and undo['mapio-cli MB'] <= limit
            undo['target'] += f' ({limit:.0f} MB)'
        rows.append(undo)
        if template != folder:
            bf.remove(template)
    # Every folder make wrote checks clean, its mixed-case files under
    # lower-cased names included.
    if 'check' in jobs:
        rows.append(row('check', '', kind, size, bench_check(cli, folder, runs), 'make',
                        make['mapio-cli']))
    if 'convert' in jobs:
        r = row('convert', 'r+back', kind, size, bench_convert(cli, folder, runs), 'make',
                make['mapio-cli'])
        file_mb = os.path.getsize(os.path.join(folder, 'config.xml')) / (1 << 20)
        if r['met'] is not None:
            r['met'] = r['met'] and r['mapio-cli MB'] <= 2 * file_mb
            r['target'] += f' ({file_mb:.0f} MB)'
        rows.append(r)
    if 'update' in jobs:
        rows.append(row('update', f'+{UPDATE_ADDED}', kind, size,
                        bench_update(cli, folder, kind, size, runs), 'make', make['mapio-cli']))
    bf.remove(folder)


def scaling(rows, idle_mb):
    """Per job, variant and names: the worst step between measured sizes."""
    series = {}
    for r in rows:
        series.setdefault((r['job'], r['variant'], r['names']), []).append(r)
    out = []
    for key, runs in series.items():
        runs.sort(key=lambda r: r['files'])
        for a, b in zip(runs, runs[1:]):
            grow = b['files'] / a['files']
            allowed = grow * (1 + SCALING_TOLERANCE)
            t = b['mapio-cli s'] / a['mapio-cli s']
            above_a = max(a['mapio-cli MB'] - idle_mb, 0.0)
            above_b = max(b['mapio-cli MB'] - idle_mb, 0.0)
            ok = t <= allowed and above_b <= allowed * above_a + MEMORY_SLACK
            out.append({'job': key[0], 'variant': key[1], 'names': key[2],
                        'from': a['files'], 'to': b['files'], 'files x': grow,
                        'time x': t, 'base x': b['base s'] / a['base s'],
                        'MB above idle': (above_a, above_b),
                        'us per file': 1e6 * b['mapio-cli s'] / b['files'],
                        'met': ok})
    return out


def print_table(rows):
    head = (f"{'job':<9} {'variant':<7} {'names':<7} {'files':>7} {'mapio-cli':>9} "
            f"{'user':>6} {'sys':>6} {'against':<7} {'base':>8} {'user':>6} {'sys':>6} "
            f"{'ratio':>6} {'x python':>8} {'MB cli':>7} {'MB base':>7}  target")
    print(head + '\n' + '-' * len(head))
    for r in rows:
        python = f"{r['mapio-cli s'] / r['python s']:.2f}" if r['python s'] else '-'
        verdict = {None: '', True: ' met', False: ' MISSED'}[r['met']]
        exit_note = '' if r['exit'] == [r['expected exit']] else f" exit {r['exit']}"
        print(f"{r['job']:<9} {r['variant']:<7} {r['names']:<7} {r['files']:>7} "
              f"{r['mapio-cli s']:>8.3f}s {r['mapio-cli user']:>6.3f} {r['mapio-cli sys']:>6.3f} "
              f"{r['against']:<7} {r['base s']:>7.3f}s {r['base user']:>6.3f} "
              f"{r['base sys']:>6.3f} {r['ratio']:>6.2f} {python:>8} {r['mapio-cli MB']:>7.1f} "
              f"{r['base MB']:>7.1f}  {r['target']}{verdict}{exit_note}".rstrip())


def print_scaling(steps, idle_mb):
    print(f'\nScaling of mapio-cli, each step up in size: time at most '
          f'{1 + SCALING_TOLERANCE:.2f} x the growth in files; memory above its idle '
          f'peak ({idle_mb:.1f} MB) likewise, give or take {MEMORY_SLACK:.0f} MB '
          f'(base x: how the floor, or make, grew over the same step).')
    by_series = {}
    for s in steps:
        by_series.setdefault((s['job'], s['variant'], s['names']), []).append(s)
    worst = {}
    for key, series in by_series.items():
        missed = [s for s in series if not s['met']]
        worst[key] = missed[0] if missed else max(
            series, key=lambda s: s['time x'] / s['files x'])
    print(f"{'job':<9} {'variant':<7} {'names':<7} {'worst step':>17} {'files x':>7} "
          f"{'time x':>7} {'base x':>7} {'MB above idle':>15} {'us/file':>8}")
    for s in worst.values():
        above = '{:.1f} -> {:.1f}'.format(*s['MB above idle'])
        print(f"{s['job']:<9} {s['variant']:<7} {s['names']:<7} "
              f"{s['from']:>8}->{s['to']:<8} {s['files x']:>7.1f} {s['time x']:>7.2f} "
              f"{s['base x']:>7.2f} {above:>15} {s['us per file']:>8.2f}  {'met' if s['met'] else 'MISSED'}")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--build', default='build-bench', help='the Release build folder')
    parser.add_argument('--sizes', type=int, nargs='+',
                        default=[10000, 100000, 200000, 550000])
    parser.add_argument('--quick', action='store_true', help='sizes 10k and 100k only')
    parser.add_argument('--names', nargs='+', choices=bf.NAME_KINDS, default=bf.NAME_KINDS)
    parser.add_argument('--jobs', nargs='+', choices=JOBS, default=JOBS,
                        help='the jobs to time (check and update time make too, their base)')
    parser.add_argument('--runs', type=int, default=5)
    parser.add_argument('--tmp', help='where the folders go (default: inside --build)')
    parser.add_argument('--json', help='also write the rows to this file')
    args = parser.parse_args()
    sizes = sorted([10000, 100000] if args.quick else args.sizes)

    build = os.path.abspath(args.build)
    cli = os.path.join(build, 'cli', 'mapio-cli')
    floor_make = os.path.join(build, 'bench', 'floor_make')
    floor_translate = os.path.join(build, 'bench', 'floor_translate')
    measure = os.path.join(build, 'bench', 'measure_child')
    for program in (cli, floor_make, floor_translate, measure):
        if not os.access(program, os.X_OK):
            sys.exit(f'missing {program}: build it first (make bench)')
    os.makedirs(args.tmp or build, exist_ok=True)
    tmp = tempfile.mkdtemp(prefix='mapio-bench-', dir=args.tmp or build)
    bf.init(measure, os.path.join(tmp, 'report'))
    # Translate's journals go to the bench's own folder, never the user's.
    os.environ['XDG_DATA_HOME'] = os.path.join(tmp, 'user-data')
    progs = {
        'cli': cli,
        'make': {'mapio-cli': [cli, 'make', '-n', '-y', '-q'], 'floor': [floor_make],
                 'python': [sys.executable, os.path.join(HERE, 'naive_make.py')]},
        'translate': {'mapio-cli': [cli, 'translate', '-q'], 'floor': [floor_translate],
                      # No place for a journal: the translate as it was before it kept one.
                      'no journal': ['env', 'XDG_DATA_HOME=/proc/mapio-no-journal', cli,
                                     'translate', '-q'],
                      'python': [sys.executable, os.path.join(HERE, 'naive_translate.py')]},
    }
    start = time.monotonic()
    rows = []
    try:
        idle_mb = max(bf.timed([cli, '--version']).mb for _ in range(3))
        for size in sizes if set(args.jobs) - {'scan'} else []:
            for kind in args.names:
                print(f'{size} files, {kind} ... ({time.monotonic() - start:.0f} s)',
                      file=sys.stderr)
                bench_kind(progs, kind, size, tmp, args.runs, rows, set(args.jobs))
        if 'scan' in args.jobs:
            print(f'a graphics folder for scan ... ({time.monotonic() - start:.0f} s)',
                  file=sys.stderr)
            bench_scan(cli, tmp, args.runs, rows)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    rows.sort(key=lambda r: (['make -n', 'translate', 'journal', 'undo', 'check', 'update',
                              'convert', 'scan', 'why'].index(r['job']),
                             r['names'], r['variant'], r['files']))
    print(f'Medians of {args.runs} runs; ratio = mapio-cli / base (the floor program, or '
          f'mapio-cli make -n on the same folder) in wall time; user and sys: CPU seconds; '
          f'x python = mapio-cli / naive script.')
    print_table(rows)
    steps = scaling(rows, idle_mb)
    print_scaling(steps, idle_mb)
    missed = sum(r['met'] is False for r in rows) + sum(not s['met'] for s in steps)
    print(f'\n{len(rows)} rows, {sum(r["met"] is not None for r in rows)} with a target; '
          f'{missed} missed. {time.monotonic() - start:.0f} s in all.')
    if args.json:
        with open(args.json, 'w') as out:
            json.dump({'rows': rows, 'scaling': steps, 'idle MB': idle_mb}, out, indent=1)
    return 1 if missed else 0


if __name__ == '__main__':
    sys.exit(main())
