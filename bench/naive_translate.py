#!/usr/bin/env python3
"""Renames the pictures a folder's config.xml maps to their IDs, the plain way."""
import os
import re
import sys

RECORD = re.compile(r'<record\s*from="([^"]+)"\s*to="graphics/pictures/person/(\d+)')


def main():
    folder = sys.argv[1]
    # Names in the mapping are lower case; the files may not be.
    by_lower = {name.lower(): name for name in os.listdir(folder)}
    renamed = failed = 0
    with open(os.path.join(folder, 'config.xml')) as mapping:
        for line in mapping:
            match = RECORD.search(line)
            if not match:
                continue
            base, file_id = match.groups()
            for ext in ('.png', '.jpg', '.gif'):
                old = by_lower.get(base.lower() + ext)
                new = os.path.join(folder, file_id + ext)
                if old and not os.path.exists(new):
                    os.rename(os.path.join(folder, old), new)
                    renamed += 1
                    break
            else:
                failed += 1
                print(f'could not rename {base} to {file_id}', file=sys.stderr)
    print(f'Renamed {renamed} of {renamed + failed} files.')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
