#!/usr/bin/env python3
"""make bench-pictures: the picture checks against their floor, on folders of
distinct small valid pictures (see bench_folders.add_real_pictures) at
200k and 550k files by default, warm cache. Per size it times
  floor      floor_pictures: open every file, read its first 512 bytes
  probe      picture_bench: list the folder, read and probe every picture's
             head through one folder descriptor, find the usual size
  check      mapio-cli check -q on the same folder, mapped by make, with its
             picture checks (the default)
  records    the same check with --no-pictures
and prints medians of wall time and of CPU time (user + sys, which other
work on the machine disturbs less), each program's ratio to the floor, and
peak memory; then the targets: check at most 1.5 times the floor and 3
times the check without pictures (wall time). One folder grows from size
to size. A --deep check runs once at the end, untimed against a target.
Exits 1 when a target is missed."""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bench_folders as bf  # noqa: E402


def timed(measure, report, cmd):
    """Wall seconds, CPU seconds (user + sys) and peak MB of one run."""
    child = subprocess.Popen([measure, report] + cmd, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    if os.waitstatus_to_exitcode(status) not in (0, 1):
        sys.exit(f'{cmd[0]} failed: {status}')
    with open(report) as f:
        # Wall seconds and peak KB first; the CPU seconds after them are the
        # same as wait4's here.
        wall, maxrss_kb = f.read().split()[:2]
    return float(wall), usage.ru_utime + usage.ru_stime, int(maxrss_kb) / 1024.0


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--build', default='build-bench')
    parser.add_argument('--sizes', type=int, nargs='+', default=[200000, 550000])
    parser.add_argument('--runs', type=int, default=5)
    parser.add_argument('--tmp', help='where the folder goes (default: inside --build)')
    parser.add_argument('--keep', help='grow and keep the folder here, for later runs')
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    tool = {name: os.path.join(build, sub, name) for sub, name in
            (('cli', 'mapio-cli'), ('bench', 'floor_pictures'), ('bench', 'picture_bench'),
             ('bench', 'measure_child'))}
    for program in tool.values():
        if not os.access(program, os.X_OK):
            sys.exit(f'missing {program}: build it first (make bench-pictures)')
    tmp = tempfile.mkdtemp(prefix='mapio-pictures-', dir=args.tmp or build)
    folder = args.keep or os.path.join(tmp, 'pack')
    report = os.path.join(tmp, 'report')
    programs = {'floor': [tool['floor_pictures'], folder],
                'probe': [tool['picture_bench'], folder],
                'check': [tool['mapio-cli'], 'check', '-q', folder],
                'records': [tool['mapio-cli'], 'check', '-q', '--no-pictures', folder]}
    print(f'Medians of {args.runs} runs, warm cache; x = the program / floor_pictures.')
    missed = 0
    print(f"{'files':>7} {'program':<13} {'wall s':>8} {'cpu s':>8} {'MB':>7} "
          f"{'wall x':>7} {'cpu x':>7}")
    try:
        for size in sorted(args.sizes):
            have = sum(1 for n in os.listdir(folder) if n[0].isdigit()) \
                if os.path.isdir(folder) else 0
            start = time.monotonic()
            bf.add_real_pictures(folder, have, max(size - have, 0))
            subprocess.run([tool['mapio-cli'], 'make', '-n', '-y', '-q', folder], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            print(f'  ({size} files made and mapped in {time.monotonic() - start:.0f} s)',
                  file=sys.stderr)
            runs = {name: [] for name in programs}
            for name, cmd in programs.items():  # warm the caches, untimed
                timed(tool['measure_child'], report, cmd)
            for _ in range(args.runs):
                for name, cmd in programs.items():
                    runs[name].append(timed(tool['measure_child'], report, cmd))
            med = {name: (statistics.median(r[0] for r in rs), statistics.median(r[1] for r in rs),
                          max(r[2] for r in rs)) for name, rs in runs.items()}
            floor = med['floor']
            for name, (wall, cpu, mb) in med.items():
                print(f'{size:>7} {name:<13} {wall:>8.3f} {cpu:>8.3f} {mb:>7.1f} '
                      f'{wall / floor[0]:>7.2f} {cpu / floor[1]:>7.2f}')
            for what, ratio, target in (
                    ('check / floor', med['check'][0] / floor[0], 1.5),
                    ('check / check --no-pictures', med['check'][0] / med['records'][0], 3.0)):
                met = ratio <= target
                missed += not met
                print(f'{size:>7} {what:<30} {ratio:>6.2f} <= {target}: '
                      f'{"met" if met else "MISSED"}')
        deep = [tool['mapio-cli'], 'check', '-q', '--deep', folder]
        wall, cpu, mb = timed(tool['measure_child'], report, deep)
        print(f'check --deep at {max(args.sizes)} files: {wall:.1f} s, {cpu:.1f} s cpu, {mb:.0f} MB')
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    return 1 if missed else 0


if __name__ == '__main__':
    sys.exit(main())
