"""Folders of empty pictures for make bench, and timing of one child."""
import collections
import hashlib
import os
import shutil
import subprocess
import sys

WORDS = ('amber cedar delta ember falcon garnet harbor indigo juniper kestrel '
         'lumen meadow nectar onyx pepper quartz raven saffron tundra umber '
         'velvet willow xenon yarrow zephyr').split()
EXTENSIONS = ('.png', '.jpg', '.gif')
FIRST_ID = 1000000        # ids and words: 1000000.png, ...
FIRST_LONG_ID = 10000000  # idwords: 10000000_Amber_Cedar.PNG, ...

# How the pictures of each kind of folder are named; `words` and `Words`
# (capitalised, for the translate job's letter-case variant) get their IDs
# from a config.xml that mapio-cli make writes from typed answers.
NAME_KINDS = ('ids', 'words', 'idwords')

MEASURE = None  # measure_child and the file it reports to, set by init()
REPORT = None

# One run of a child: wall seconds, peak resident MB, exit status, and the
# CPU seconds it spent in its own code and in the kernel.
Run = collections.namedtuple('Run', 'seconds mb status user sys')


def init(measure, report):
    global MEASURE, REPORT
    MEASURE, REPORT = measure, report


def timed(cmd, stdin_path=None):
    """A Run of one child, as measure_child (fork, exec, wait4) sees it."""
    stdin = open(stdin_path, 'rb') if stdin_path else subprocess.DEVNULL
    try:
        status = subprocess.run([MEASURE, REPORT] + cmd, stdin=stdin,
                                stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL).returncode
    finally:
        if stdin_path:
            stdin.close()
    with open(REPORT) as report:
        elapsed, maxrss_kb, user, system = report.read().split()
    return Run(float(elapsed), int(maxrss_kb) / 1024.0, status, float(user), float(system))


def letters(i):
    out = ''
    while True:
        out = chr(ord('a') + i % 26) + out
        i //= 26
        if i == 0:
            return out


def picture_name(kind, i, capitalised=False):
    """The i-th picture's name in a folder of the given kind."""
    if kind == 'ids':
        return f'{FIRST_ID + i}{EXTENSIONS[i % 3]}'
    if kind == 'idwords':  # long, mixed case, upper-case extension
        first = WORDS[i % len(WORDS)].capitalize()
        last = WORDS[(i // len(WORDS)) % len(WORDS)].capitalize()
        return f'{FIRST_LONG_ID + i}_{first}_{last}son.PNG'
    base = f'{WORDS[i % len(WORDS)]}_{letters(i)}'
    return (base.capitalize() if capitalised else base) + EXTENSIONS[i % 3]


def touch(path):
    with open(path, 'wb'):
        pass


def add_pictures(folder, kind, first, count, capitalised=False):
    for i in range(first, first + count):
        touch(os.path.join(folder, picture_name(kind, i, capitalised)))


def count_records(folder):
    with open(os.path.join(folder, 'config.xml')) as mapping:
        return sum(1 for line in mapping if '<record from=' in line)


def write_answers(path, first, count):
    """One ID a line, as a user would type them at make's questions."""
    with open(path, 'w') as out:
        out.writelines(f'{FIRST_ID + i}\n' for i in range(first, first + count))


_stocks = {}  # stock folder -> how many pictures it holds


def copy_pictures(path, kind, count, capitalised=False):
    """A new folder of `count` pictures of the kind: hard links into a stock
    folder beside it that grows from size to size, since creating the files
    takes longer than most jobs."""
    stock = os.path.join(os.path.dirname(path), f'stock-{kind}' + ('-Case' * capitalised))
    held = _stocks.get(stock, 0)
    if held > count:  # sizes out of order: no stock for this one
        os.makedirs(path)
        add_pictures(path, kind, 0, count, capitalised)
        return
    os.makedirs(stock, exist_ok=True)
    add_pictures(stock, kind, held, count - held, capitalised)
    _stocks[stock] = count
    subprocess.run(['cp', '-al', stock, path], check=True)


def make_folder(path, kind, count, cli, capitalised=False):
    """`count` pictures of the kind, mapped by mapio-cli make: from the
    names for IDs, from typed answers for words."""
    copy_pictures(path, kind, count, capitalised)
    if kind == 'words':
        answers = path + '.ids'
        write_answers(answers, 0, count)
        status = timed([cli, 'make', '-q', path], answers).status
        os.remove(answers)
    else:
        status = timed([cli, 'make', '-n', '-y', '-q', path]).status
    records = count_records(path)
    if status != 0 or records != count:
        sys.exit(f'mapping for {path}: status {status}, {records} of {count} records')


def remove(path):
    subprocess.run(['rm', '-rf', path], check=True)


def fresh_copy(template, work):
    """A new folder holding the template's files. Hard links: the pictures
    are empty, and renaming a link leaves the template as it was; config.xml
    is copied, so a job that rewrites it cannot change the template's."""
    remove(work)
    subprocess.run(['cp', '-al', template, work], check=True)
    mapping = os.path.join(work, 'config.xml')
    os.remove(mapping)
    shutil.copyfile(os.path.join(template, 'config.xml'), mapping)


def count_renamed(folder):
    return sum(1 for name in os.listdir(folder) if name.split('.')[0].isdigit())


def digest(path):
    with open(path, 'rb') as f:
        return hashlib.sha1(f.read()).hexdigest()
