#!/usr/bin/env python3
# Independent reader: every to-do of the .ics files in a folder, one line
# each: summary, due date (ISO), status; sorted by summary.
import glob, os, sys
from icalendar import Calendar

rows = []
for path in sorted(glob.glob(os.path.join(sys.argv[1], '*.ics'))):
    with open(path, 'rb') as f:
        calendar = Calendar.from_ical(f.read())
    for todo in calendar.walk('VTODO'):
        due = todo.get('DUE')
        rows.append('%s|%s|%s' % (todo.get('SUMMARY'), due.dt.isoformat() if due else '-', todo.get('STATUS')))
print('\n'.join(sorted(rows)))
