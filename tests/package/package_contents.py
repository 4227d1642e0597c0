#!/usr/bin/env python3
# Builds the Debian package from the build tree's binaries with cpack and
# checks what it holds: layout, control fields, desktop entry, mime type,
# icons, man pages, and that the packed programs run.
import configparser, glob, gzip, os, re, shutil, struct, subprocess, sys, tempfile

SOURCE = os.environ['DYPLOM_SOURCE_DIR']
BINARY = os.environ['DYPLOM_BINARY_DIR']
OUT = os.environ['DYPLOM_PACKAGE_DIR']
VERSION = os.environ['DYPLOM_VERSION']
EXTRA_DEPENDS = [d for d in os.environ.get('DYPLOM_PACKAGE_DEPENDS', '').split(',') if d]
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
MIME_TYPE = 'application/x-dyplom'

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print('FAIL: ' + what)
    return ok


def run(*args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


for tool in ('dpkg-deb', 'dpkg-shlibdeps', 'desktop-file-validate', 'xmllint', 'update-mime-database'):
    if not shutil.which(tool):
        print(f'SKIP: {tool} is missing (scripts/setup installs it)')
        sys.exit(77)

# Build: the package goes to its own folder, made fresh.
shutil.rmtree(OUT, ignore_errors=True)
os.makedirs(OUT)
built = run(os.environ['DYPLOM_CPACK'], '-G', 'DEB', '-B', OUT, '--config', os.path.join(BINARY, 'CPackConfig.cmake'),
            cwd=BINARY)
if built.returncode != 0:
    print(built.stdout, built.stderr)
    sys.exit('cpack failed')
arch = run('dpkg', '--print-architecture').stdout.strip()
debs = glob.glob(os.path.join(OUT, '*.deb'))
check([os.path.basename(d) for d in debs] == [f'dyplom_{VERSION}_{arch}.deb'], f'one package named dyplom_{VERSION}_{arch}.deb: {debs}')
deb = debs[0]

# Control fields: the version from the build, real run-time dependencies.
fields = {f: run('dpkg-deb', '-f', deb, f).stdout.strip() for f in ('Package', 'Version', 'Architecture', 'Depends')}
check(fields['Package'] == 'dyplom', 'package name')
check(fields['Version'] == VERSION, f"version {fields['Version']} is the project's {VERSION}")
check(fields['Architecture'] == arch, 'architecture')
depends = {re.split(r'[ (]', d.strip())[0] for d in fields['Depends'].split(',')}
for needed in EXTRA_DEPENDS + ['libqt6widgets6', 'libqt6printsupport6', 'libqt6network6', 'libqt6gui6', 'libc6']:
    check(needed in depends, f'Depends names {needed}: {fields["Depends"]}')

# Layout: every entry under /usr, owned by root, nothing of the build.
listing = run('dpkg-deb', '-c', deb).stdout.splitlines()
entries = {}
for line in listing:
    parts = line.split(None, 5)
    path = parts[5].split(' -> ')[0].lstrip('.').rstrip('/')
    entries[path] = (parts[0], parts[1])
for path, (mode, owner) in entries.items():
    check(path == '' or path == '/usr' or path.startswith('/usr/'), f'{path} lies under /usr')
    check(owner == 'root/root', f'{path} belongs to root')
    check('.gitkeep' not in path and '/include' not in path and 'tst_' not in path, f'{path} is no build leftover')
for program in ('dyplom', 'dyplom-druk', 'dyplom-wzory', 'dyplom-klasa'):
    check(entries.get(f'/usr/bin/{program}', ('',))[0] == '-rwxr-xr-x', f'/usr/bin/{program} is an executable')
shipped = sorted(os.path.relpath(p, os.path.join(SOURCE, 'data'))
                 for p in glob.glob(os.path.join(SOURCE, 'data', 'Wzory', '*')))
check(len(shipped) >= 26, 'the sources hold the catalogue')
for rel in shipped:
    check(entries.get(f'/usr/share/dyplom/{rel}', ('',))[0] == '-rw-r--r--', f'/usr/share/dyplom/{rel} is packed')
for folder in ('Admini', 'Dyplomy', 'Notatki', 'Terminarz', 'Wzory'):
    check(entries.get(f'/usr/share/dyplom/{folder}', ('',))[0].startswith('d'), f'/usr/share/dyplom/{folder}/ is packed')
expected = ['/usr/share/applications/dyplom.desktop', '/usr/share/mime/packages/dyplom.xml',
            '/usr/share/icons/hicolor/scalable/apps/dyplom.svg',
            '/usr/share/man/man1/dyplom.1.gz', '/usr/share/man/man1/dyplom-druk.1.gz',
            '/usr/share/man/man1/dyplom-wzory.1.gz', '/usr/share/applications/dyplom-klasa.desktop',
            '/usr/share/man/man1/dyplom-klasa.1.gz']
expected += [f'/usr/share/icons/hicolor/{s}x{s}/apps/dyplom.png' for s in ICON_SIZES]
for path in expected:
    check(path in entries, f'{path} is packed')

root = tempfile.mkdtemp(prefix='dyplom-deb-')
try:
    run('dpkg-deb', '-x', deb, root)
    share = os.path.join(root, 'usr/share')

    # Desktop entry: valid, Polish with an English fallback, opens .dyp files.
    desktop = os.path.join(share, 'applications/dyplom.desktop')
    validated = run('desktop-file-validate', desktop)
    check(validated.returncode == 0 and 'error' not in validated.stdout.lower(),
          f'desktop-file-validate: {validated.stdout}{validated.stderr}')
    entry = configparser.RawConfigParser(strict=True)
    entry.optionxform = str
    entry.read(desktop, encoding='utf-8')
    d = entry['Desktop Entry']
    check(d.get('Name[pl]') == 'Edytor dyplomów' and d.get('Name'), 'Polish name with an English fallback')
    check(d.get('Exec', '').split()[0] == 'dyplom' and '%f' in d.get('Exec', ''), 'Exec starts dyplom with the file')
    check({'Office', 'Education'} <= set(d.get('Categories', '').split(';')), 'Office and Education categories')
    check(MIME_TYPE in d.get('MimeType', '').split(';'), 'the entry opens diploma files')
    check(d.get('Icon') == 'dyplom', 'the entry shows our icon')

    # The class window's entry: valid, offered for class lists without
    # claiming them (no default set) and not for diplomas.
    klasa_desktop = os.path.join(share, 'applications/dyplom-klasa.desktop')
    validated = run('desktop-file-validate', klasa_desktop)
    check(validated.returncode == 0 and 'error' not in validated.stdout.lower(),
          f'desktop-file-validate dyplom-klasa: {validated.stdout}{validated.stderr}')
    klasa = configparser.RawConfigParser(strict=True)
    klasa.optionxform = str
    klasa.read(klasa_desktop, encoding='utf-8')
    k = klasa['Desktop Entry']
    check(k.get('Name[pl]') == 'Dyplomy dla klasy' and k.get('Exec', '').split()[0] == 'dyplom-klasa',
          'the class window\'s entry')
    types = set(k.get('MimeType', '').split(';'))
    check({'text/csv', 'application/vnd.oasis.opendocument.spreadsheet',
           'application/vnd.openxmlformats-officedocument.spreadsheetml.sheet'} <= types and MIME_TYPE not in types,
          'offered for CSV and spreadsheets, not for diplomas')
    check(not any('mimeapps' in p for p in entries), 'no default application is set')

    # Mime type: well-formed, and what update-mime-database makes of it.
    mime_xml = os.path.join(share, 'mime/packages/dyplom.xml')
    linted = run('xmllint', '--noout', mime_xml)
    check(linted.returncode == 0, f'xmllint: {linted.stderr}')
    database = os.path.join(root, 'mime')
    os.makedirs(os.path.join(database, 'packages'))
    shutil.copy(mime_xml, os.path.join(database, 'packages'))
    updated = run('update-mime-database', '-V', database)
    check(updated.returncode == 0 and 'warning' not in updated.stderr.lower(),
          f'update-mime-database: {updated.stdout}{updated.stderr}')
    with open(os.path.join(database, 'globs2'), encoding='utf-8') as globs:
        check(re.search(r'^\d+:' + re.escape(MIME_TYPE) + r':\*\.dyp$', globs.read(), re.M), '*.dyp is the diploma type')
    check(os.path.exists(os.path.join(database, 'application/x-dyplom.xml')), 'the type is in the database')

    # Icons: a well-formed SVG and PNGs of the size their folder says.
    svg = os.path.join(share, 'icons/hicolor/scalable/apps/dyplom.svg')
    check(run('xmllint', '--noout', svg).returncode == 0, 'the SVG icon is well-formed')
    for s in ICON_SIZES:
        with open(os.path.join(share, f'icons/hicolor/{s}x{s}/apps/dyplom.png'), 'rb') as png:
            head = png.read(24)
        check(head[:8] == b'\x89PNG\r\n\x1a\n' and struct.unpack('>II', head[16:24]) == (s, s), f'{s}x{s} PNG')

    # Man pages: roff with the version.
    for page in ('dyplom', 'dyplom-druk', 'dyplom-wzory', 'dyplom-klasa'):
        with gzip.open(os.path.join(share, f'man/man1/{page}.1.gz'), 'rt', encoding='utf-8') as man:
            text = man.read()
        check(text.startswith('.TH ') and f'dyplom {VERSION}' in text and '@' not in text, f'{page}(1) page')

    # The packed programs are whole: dyplom-druk answers, with --wzory in its help.
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen', XDG_RUNTIME_DIR=root)
    helped = run(os.path.join(root, 'usr/bin/dyplom-druk'), '--help', env=env)
    check(helped.returncode == 0 and '--wzory' in helped.stdout, f'packed dyplom-druk --help: {helped.stderr}')
finally:
    shutil.rmtree(root, ignore_errors=True)

print(f'{deb}: {len(entries)} entries, {len(failures)} failures')
sys.exit(1 if failures else 0)
