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
APP_ID = 'example.dyplomy.dyplom'
PROGRAMS = ('dyplom', 'dyplom-druk', 'dyplom-wzory')
MAIN_CATEGORIES = {'AudioVideo', 'Audio', 'Video', 'Development', 'Education', 'Game', 'Graphics', 'Network',
                   'Office', 'Science', 'Settings', 'System', 'Utility'}

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print('FAIL: ' + what)
    return ok


def run(*args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


for tool in ('dpkg-deb', 'dpkg-shlibdeps', 'desktop-file-validate', 'xmllint', 'update-mime-database', 'lintian',
             'hardening-check', 'appstreamcli', 'dpkg-parsechangelog'):
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
fields = {f: run('dpkg-deb', '-f', deb, f).stdout.strip()
          for f in ('Package', 'Version', 'Architecture', 'Depends', 'Description')}
check(fields['Package'] == 'dyplom', 'package name')
check(fields['Version'] == VERSION, f"version {fields['Version']} is the project's {VERSION}")
check(fields['Architecture'] == arch, 'architecture')
depends = {re.split(r'[ (]', d.strip())[0] for d in fields['Depends'].split(',')}
for needed in EXTRA_DEPENDS + ['libqt6widgets6', 'libqt6printsupport6', 'libqt6network6', 'libqt6gui6', 'libc6']:
    check(needed in depends, f'Depends names {needed}: {fields["Depends"]}')

# Layout: every entry under /usr, owned by root, nothing of the build.
listing = run('dpkg-deb', '-c', deb).stdout.splitlines()
entries = {}
links = {}
for line in listing:
    parts = line.split(None, 5)
    path = parts[5].split(' -> ')[0].lstrip('.').rstrip('/')
    entries[path] = (parts[0], parts[1])
    if ' -> ' in parts[5]:
        links[path] = parts[5].split(' -> ')[1]
for path, (mode, owner) in entries.items():
    check(path == '' or path == '/usr' or path.startswith('/usr/'), f'{path} lies under /usr')
    check(owner == 'root/root', f'{path} belongs to root')
    check('.gitkeep' not in path and '/include' not in path and 'tst_' not in path, f'{path} is no build leftover')
for program in ('dyplom-druk', 'dyplom-wzory', 'dyplom-klasa'):
    check(entries.get(f'/usr/bin/{program}', ('',))[0] == '-rwxr-xr-x', f'/usr/bin/{program} is an executable')
# The editor finds its companions in its own folder, a private one: no
# generic names such as "notes" on PATH.
COMPANIONS = ('notes', 'terminy', 'archiwizator')
for program in ('dyplom',) + COMPANIONS:
    check(entries.get(f'/usr/libexec/dyplom/{program}', ('',))[0] == '-rwxr-xr-x',
          f'/usr/libexec/dyplom/{program} is an executable')
check(links.get('/usr/bin/dyplom') == '../libexec/dyplom/dyplom', f'/usr/bin/dyplom links to the editor: {links}')
check(not [p for p in entries if p.startswith('/usr/bin/') and os.path.basename(p) in COMPANIONS],
      'no companion program in /usr/bin')
# The long description names every program the package installs.
installed_programs = sorted(p[len('/usr/bin/'):] for p in entries if p.startswith('/usr/bin/'))
for program in installed_programs + list(COMPANIONS):
    check(re.search(r'(^|[\s,;(])' + re.escape(program) + r'([\s,;:)]|$)', fields['Description'], re.M),
          f'the Description names {program}')
shipped = sorted(os.path.relpath(p, os.path.join(SOURCE, 'data'))
                 for p in glob.glob(os.path.join(SOURCE, 'data', 'Wzory', '*')))
check(len(shipped) >= 26, 'the sources hold the catalogue')
for rel in shipped:
    check(entries.get(f'/usr/share/dyplom/{rel}', ('',))[0] == '-rw-r--r--', f'/usr/share/dyplom/{rel} is packed')
for folder in ('Admini', 'Dyplomy', 'Notatki', 'Terminarz', 'Wzory'):
    check(entries.get(f'/usr/share/dyplom/{folder}', ('',))[0].startswith('d'), f'/usr/share/dyplom/{folder}/ is packed')
expected = [f'/usr/share/applications/{APP_ID}.desktop', f'/usr/share/metainfo/{APP_ID}.metainfo.xml',
            '/usr/share/mime/packages/dyplom.xml', '/usr/share/doc/dyplom/copyright', '/usr/share/doc/dyplom/changelog.gz',
            '/usr/share/icons/hicolor/scalable/apps/dyplom.svg',
            '/usr/share/icons/hicolor/scalable/mimetypes/application-x-dyplom.svg',
            '/usr/share/man/man1/dyplom.1.gz', '/usr/share/man/man1/dyplom-druk.1.gz',
            '/usr/share/man/man1/dyplom-wzory.1.gz', '/usr/share/man/man1/dyplom-archiwizator.1.gz',
            '/usr/share/man/man1/dyplom-notes.1.gz', '/usr/share/man/man1/dyplom-terminy.1.gz',
            '/usr/share/applications/dyplom-klasa.desktop', '/usr/share/man/man1/dyplom-klasa.1.gz']
expected += [f'/usr/share/icons/hicolor/{s}x{s}/{kind}.png' for s in ICON_SIZES
             for kind in ('apps/dyplom', 'mimetypes/application-x-dyplom')]
for path in expected:
    check(path in entries, f'{path} is packed')

root = tempfile.mkdtemp(prefix='dyplom-deb-')
try:
    run('dpkg-deb', '-x', deb, root)
    share = os.path.join(root, 'usr/share')

    # Desktop entry: valid, Polish with an English fallback, opens .dyp files.
    desktop = os.path.join(share, f'applications/{APP_ID}.desktop')
    validated = run('desktop-file-validate', desktop)
    check(validated.returncode == 0 and 'error' not in validated.stdout.lower(),
          f'desktop-file-validate: {validated.stdout}{validated.stderr}')
    entry = configparser.RawConfigParser(strict=True)
    entry.optionxform = str
    entry.read(desktop, encoding='utf-8')
    d = entry['Desktop Entry']
    check(d.get('Name[pl]') == 'Edytor dyplomów' and d.get('Name'), 'Polish name with an English fallback')
    check(d.get('Exec', '').split()[0] == 'dyplom' and '%f' in d.get('Exec', ''), 'Exec starts dyplom with the file')
    categories = set(filter(None, d.get('Categories', '').split(';')))
    check(categories & MAIN_CATEGORIES == {'Education'}, f'one main category, Education: {categories}')
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
    icons = os.path.join(database, 'icons')
    with open(icons, encoding='utf-8') if os.path.exists(icons) else open(os.devnull) as f:
        check(f'{MIME_TYPE}:application-x-dyplom' in f.read().splitlines(), 'the type shows the document icon')

    # Icons: a well-formed SVG and PNGs of the size their folder says.
    svg = os.path.join(share, 'icons/hicolor/scalable/apps/dyplom.svg')
    check(run('xmllint', '--noout', svg).returncode == 0, 'the SVG icon is well-formed')
    check(run('xmllint', '--noout', os.path.join(share, 'icons/hicolor/scalable/mimetypes/application-x-dyplom.svg'))
          .returncode == 0, 'the SVG document icon is well-formed')
    for s in ICON_SIZES:
        pictures = []
        for kind in ('apps/dyplom', 'mimetypes/application-x-dyplom'):
            with open(os.path.join(share, f'icons/hicolor/{s}x{s}/{kind}.png'), 'rb') as png:
                pictures.append(png.read())
            head = pictures[-1][:24]
            check(head[:8] == b'\x89PNG\r\n\x1a\n' and struct.unpack('>II', head[16:24]) == (s, s), f'{s}x{s} {kind}.png')
        check(pictures[0] != pictures[1], f'{s}x{s}: the document icon differs from the program icon')

    # Man pages: roff with the version, each pointing to all the others; the
    # companions' pages carry the editor's prefix.
    pages = sorted(os.path.basename(p)[:-len('.1.gz')] for p in glob.glob(os.path.join(share, 'man/man1/*.1.gz')))
    check(pages == sorted(installed_programs + [f'dyplom-{c}' for c in COMPANIONS]), f'a man page for every program: {pages}')
    for page in pages:
        with gzip.open(os.path.join(share, f'man/man1/{page}.1.gz'), 'rt', encoding='utf-8') as man:
            text = man.read()
        # No @PLACEHOLDER@ left unfilled ("{Imię@D}" is a field of the diploma's texts).
        check(text.startswith('.TH ') and f'dyplom {VERSION}' in text and not re.search(r'@[A-Z_]+@', text),
              f'{page}(1) page')
        see_also = text.split('.SH SEE ALSO', 1)[-1].split('\n.SH', 1)[0]
        for other in set(pages) - {page}:
            check(f'.BR {other} (1)' in see_also, f'{page}(1) SEE ALSO names {other}(1)')

    # Licence and history: a machine-readable copyright file naming the
    # project's licence, and a Debian changelog whose newest entry is this version.
    with open(os.path.join(share, 'doc/dyplom/copyright'), encoding='utf-8') as f:
        copyright_text = f.read()
    check(copyright_text.startswith('Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'),
          'the copyright file is machine-readable')
    check(re.search(r'^Files: \*\n(.+\n)*License: GPL-3\+$', copyright_text, re.M)
          and '/usr/share/common-licenses/GPL-3' in copyright_text, 'the copyright file names GPL-3+')
    changelog = os.path.join(root, 'changelog')
    with gzip.open(os.path.join(share, 'doc/dyplom/changelog.gz'), 'rb') as src, open(changelog, 'wb') as dst:
        dst.write(src.read())
    parsed = run('dpkg-parsechangelog', '-l', changelog, '-S', 'Version')
    check(parsed.returncode == 0 and parsed.stdout.strip() == VERSION,
          f'the changelog\'s newest entry is {VERSION}: {parsed.stdout}{parsed.stderr}')

    # AppStream: valid, the id of the desktop entry, what the package provides.
    metainfo = os.path.join(share, f'metainfo/{APP_ID}.metainfo.xml')
    validated = run('appstreamcli', 'validate', '--no-net', '--pedantic', metainfo)
    notes = [l for l in validated.stdout.splitlines() if re.match(r'^[EWI]: ', l)]
    # Only an info remains: an id under .example is no known top-level domain.
    check(validated.returncode == 0 and all(l.startswith(f'I: {APP_ID}:') and 'cid-maybe-not-rdns' in l
                                            for l in notes), f'appstreamcli validate: {validated.stdout}')
    import xml.etree.ElementTree as ET
    component = ET.parse(metainfo).getroot()
    check(component.findtext('id') == APP_ID, 'the component id is the desktop entry\'s')
    check([l.text for l in component.findall("launchable[@type='desktop-id']")] == [f'{APP_ID}.desktop', 'dyplom-klasa.desktop'],
          'the component launches the editor and the class window')
    check(sorted(b.text for b in component.iter('binary')) == installed_programs, 'the component provides every program')
    check([m.text for m in component.iter('mediatype')] == [MIME_TYPE], 'the component provides the diploma type')
    check(component.find('releases/release').get('version') == VERSION, f'the newest release is {VERSION}')
    # The screenshots named by address are the ones scripts/screenshots keeps in the sources.
    for image in component.iter('image'):
        shot = os.path.join(SOURCE, 'packaging/screenshots', os.path.basename(image.text))
        with open(shot, 'rb') if os.path.exists(shot) else open(os.devnull, 'rb') as png:
            head = png.read(24)
        check(head[:8] == b'\x89PNG\r\n\x1a\n' and struct.unpack('>II', head[16:24]) == (int(image.get('width')),
                                                                                  int(image.get('height'))),
              f'{image.text} is packaging/screenshots/{os.path.basename(image.text)} at its size')
    lang = '{http://www.w3.org/XML/1998/namespace}lang'
    for tag in ('name', 'summary'):
        check({e.get(lang) for e in component.findall(tag)} == {None, 'pl'}, f'{tag} in English and Polish')

    # Hardening: every program built with the distribution's flags.
    for program in installed_programs:
        hardened = run('hardening-check', '--nocfprotection', os.path.join(root, 'usr/bin', program))
        check(hardened.returncode == 0, f'hardening-check {program}: {hardened.stdout}{hardened.stderr}')

    # The packed programs are whole: dyplom-druk answers, with --wzory in its help.
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen', XDG_RUNTIME_DIR=root)
    helped = run(os.path.join(root, 'usr/bin/dyplom-druk'), '--help', env=env)
    check(helped.returncode == 0 and '--wzory' in helped.stdout, f'packed dyplom-druk --help: {helped.stderr}')
finally:
    shutil.rmtree(root, ignore_errors=True)

# lintian: no errors and no warnings (its infos are printed for the log).
linted = run('lintian', '--display-info', deb)
print(linted.stdout, end='')
complaints = [l for l in linted.stdout.splitlines() if re.match(r'^[EW]: ', l)]
check(not complaints and linted.returncode == 0, f'lintian: {complaints or linted.stderr}')

print(f'{deb}: {len(entries)} entries, {len(failures)} failures')
sys.exit(1 if failures else 0)
