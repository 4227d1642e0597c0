#!/usr/bin/env python3
# Independent check: the two calendars hold the same components with the same
# properties, parameters and values, except the properties named for the
# component with the UID given. Prints every difference.
import sys
from icalendar import Calendar


def properties(component):
    found = []
    for name, value in component.items():
        for v in value if isinstance(value, list) else [value]:
            params = sorted(v.params.items()) if hasattr(v, 'params') else []
            found.append((name, params, v.to_ical()))
    return sorted(found, key=repr)


def components(path):
    with open(path, 'rb') as f:
        calendar = Calendar.from_ical(f.read())
    return [(c.name, str(c.get('UID', c.get('TZID', ''))), c) for c in calendar.walk()]


before, after = components(sys.argv[1]), components(sys.argv[2])
edited, changed = sys.argv[3], set(sys.argv[4].split(','))
if [(n, u) for n, u, _ in before] != [(n, u) for n, u, _ in after]:
    print('components differ')
for (name, uid, a), (_, _, b) in zip(before, after):
    skip = changed if uid == edited and name == 'VTODO' else set()
    pa = [p for p in properties(a) if p[0] not in skip]
    pb = [p for p in properties(b) if p[0] not in skip]
    if pa != pb:
        print('%s %s: %r != %r' % (name, uid, pa, pb))
