#!/usr/bin/env python3
# An upgrade as a school lives it: installs version N, starts the editor as
# an ordinary user under a private Xvfb (its windows carry the icon), the
# user adds an own design and saves a diploma on it, the administrator adds a
# design for the whole school, then version N+1, built here from N with one
# changed shipped template and one new one at the number the user took, is
# installed: the change reaches the user, the user's design stays, the new
# template comes at the next free number, wer.dat shows N+1, the diploma
# still prints on the user's design, a new user sees the school's design;
# the software centre's catalogue finds the program; purge leaves no file of
# the package and the school's designs.
import glob, hashlib, os, re, shutil, signal, struct, subprocess, sys, tempfile

from package_common import installed, mark, package_to_install, run, skip, start_xvfb, stop, wait_for

SOURCE = os.environ['DYPLOM_SOURCE_DIR']
OUT = os.environ['DYPLOM_PACKAGE_DIR']
VERSION = os.environ['DYPLOM_VERSION']
SCHOOL = '/usr/local/share/dyplom'
USER_ID = 65534  # nobody: an ordinary user with no rights of its own


def apt(*args):
    return run('apt-get', *args, '-y', '--no-install-recommends', '-o', 'DPkg::Lock::Timeout=300',
               env=dict(os.environ, DEBIAN_FRONTEND='noninteractive'))


def sha(path):
    with open(path, 'rb') as f:
        return hashlib.sha256(f.read()).hexdigest()


def read(path):
    with open(path, 'rb') as f:
        return f.read()


deb = package_to_install(OUT, ('Xvfb', 'xprop', 'xdotool', 'setpriv', 'appstreamcli', 'dpkg-deb'))
if os.path.exists(SCHOOL):
    skip(f'{SCHOOL} exists on this machine: the test would mix its designs with the school\'s')

major, minor = VERSION.split('.')
NEXT = f'{major}.{int(minor) + 1:02d}'
NEXT_CODE = f'20{major}{int(minor) + 1:02d}'


def build_next(deb, work):
    """Version N+1 from N: template 1 changed, a new template 43, the manifest and wer.dat to match."""
    tree = os.path.join(work, 'next')
    run('dpkg-deb', '-R', deb, tree)
    share = os.path.join(tree, 'usr/share/dyplom')
    wzory = os.path.join(share, 'Wzory')
    count = len(glob.glob(os.path.join(wzory, 'BDR_*.wmf')))
    changed, new = os.path.join(wzory, 'BDR_0001.wmf'), os.path.join(wzory, f'BDR_{count + 1:04d}.wmf')
    shutil.copy(os.path.join(wzory, 'BDR_0009.wmf'), changed)
    shutil.copy(os.path.join(wzory, 'BDR_0020.wmf'), new)
    with open(os.path.join(share, 'wzory-wydane.sha256'), 'a') as manifest:
        for n, path in ((1, changed), (count + 1, new)):
            manifest.write(f'{n:04d} {sha(path)} {NEXT_CODE}\n')
    with open(os.path.join(share, 'Admini/wer.dat'), 'wb') as wer:
        wer.write(bytes([len(NEXT_CODE)]) + NEXT_CODE.encode() + bytes(10 - len(NEXT_CODE)))
    control = os.path.join(tree, 'DEBIAN/control')
    with open(control) as f:
        text = f.read()
    with open(control, 'w') as f:
        f.write(re.sub(r'^Version: .*$', f'Version: {NEXT}', text, flags=re.M))
    sums = []
    for base, _, files in os.walk(tree):
        for name in files:
            path = os.path.join(base, name)
            if '/DEBIAN' not in path and not os.path.islink(path):
                sums.append(f'{hashlib.md5(read(path)).hexdigest()}  {os.path.relpath(path, tree)}\n')
    with open(os.path.join(tree, 'DEBIAN/md5sums'), 'w') as f:
        f.writelines(sorted(sums))
    out = os.path.join(work, f'dyplom_{NEXT}.deb')
    run('dpkg-deb', '--root-owner-group', '-b', tree, out)
    return out, count + 1, read(changed), read(new)


work = tempfile.mkdtemp(prefix='dyplom-upgrade-')
os.chmod(work, 0o755)
xvfb = editor = None
package_in = school_made = False
try:
    next_deb, new_number, changed_bytes, new_bytes = build_next(deb, work)
    mark(f'built {os.path.basename(next_deb)}')

    home = os.path.join(work, 'ala')
    runtime = os.path.join(work, 'run-ala')
    for d in (home, runtime):
        os.makedirs(d, mode=0o700)
        os.chown(d, USER_ID, USER_ID)
    xvfb, display = start_xvfb()

    def as_user(home, *args, wait=True, runtime=runtime):
        command = ['setpriv', f'--reuid={USER_ID}', f'--regid={USER_ID}', '--clear-groups', *args]
        env = {'HOME': home, 'PATH': '/usr/bin:/bin', 'DISPLAY': display, 'LANG': 'C.UTF-8',
               'XDG_RUNTIME_DIR': runtime, 'QT_QPA_PLATFORM': 'xcb' if args[0] == 'dyplom' else 'offscreen'}
        if not wait:
            return subprocess.Popen(command, cwd=home, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        return run(*command, cwd=home, env=env)

    # Version N, and the software centre's catalogue knows the program.
    apt('install', deb)
    package_in = installed('dyplom')
    assert package_in, 'version N is installed'
    files_of_package = run('dpkg-query', '-L', 'dyplom').stdout.split()
    run('appstreamcli', 'refresh-cache', '--force', check=False)
    found = run('appstreamcli', 'search', 'dyplom', check=False).stdout
    assert 'example.dyplomy.dyplom' in found, f'appstreamcli search dyplom: {found}'
    mark('version N installed, found by appstreamcli')

    # The editor as an ordinary user: the per-user folder, the window icon.
    editor = as_user(home, 'dyplom', wait=False)
    user = os.path.join(home, '.local/share/dyplom')
    werdat = os.path.join(user, 'Admini/wer.dat')
    wait_for('the per-user folder', lambda: os.path.exists(werdat) and len(glob.glob(os.path.join(user, 'Wzory/*'))) == new_number - 1)
    windows = wait_for('the editor\'s windows', lambda: run('xdotool', 'search', '--onlyvisible', '--pid', str(editor.pid),
                                                            check=False, env=dict(os.environ, DISPLAY=display)).stdout.split())
    for window in windows:
        icon = run('xprop', '-display', display, '-id', window, '_NET_WM_ICON').stdout
        assert 'Icon (48 x 48)' in icon, f'window {window} carries the icon: {icon[:120]}'
    editor.send_signal(signal.SIGTERM)
    editor.wait(10)
    editor = None
    assert read(werdat)[1:6] == f'20{major}{minor}'.encode(), read(werdat)

    # The user's own design takes the number the next version will ship, and a
    # diploma is saved on it.
    svg = os.path.join(home, 'herb.svg')
    with open(svg, 'w') as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 140"><rect x="5" y="5" width="90" '
                'height="130" fill="none" stroke="#7a1e2c" stroke-width="6"/></svg>')
    os.chown(svg, USER_ID, USER_ID)
    added = as_user(home, 'dyplom-wzory', 'dodaj', 'herb.svg')
    assert f'BDR_{new_number:04d}.wmf' in added.stdout, added.stdout
    own = read(os.path.join(user, f'Wzory/BDR_{new_number:04d}.wmf'))
    diploma = os.path.join(home, 'Dyplomy', 'wlasny.dyp')
    run('python3', os.path.join(SOURCE, 'tests/common/startup_diploma_oracle.py'), diploma)
    record = bytearray(read(diploma))
    record[248:252] = struct.pack('<i', new_number)  # the template number, between body and recipient fonts
    with open(diploma, 'wb') as f:
        f.write(record)
    os.chown(diploma, USER_ID, USER_ID)

    def printed(name):
        as_user(home, 'dyplom-druk', 'Dyplomy/wlasny.dyp', '--png', name, '--dpi', '40')
        return read(os.path.join(home, name, 'strona-001.png'))

    before = printed('przed')

    # The administrator's design for the whole school.
    school_made = True
    crest = os.path.join(work, 'szkola.svg')
    with open(crest, 'w') as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 140"><circle cx="50" cy="70" r="40" '
                'fill="#1f3a68"/></svg>')
    run('dyplom-wzory', 'dodaj', crest, '--dla-wszystkich', env=dict(os.environ, QT_QPA_PLATFORM='offscreen'))
    school_file = os.path.join(SCHOOL, f'Wzory/BDR_{new_number:04d}.wmf')
    assert os.path.isfile(school_file), 'the school design is stored at the first number no package shipped'
    school = read(school_file)
    mark('own design, diploma and school design made')

    # Version N+1.
    apt('install', next_deb)
    assert run('dpkg-query', '-W', '-f=${Version}', 'dyplom').stdout == NEXT
    editor = as_user(home, 'dyplom', wait=False)
    wait_for('wer.dat of N+1', lambda: read(werdat)[1:6] == NEXT_CODE.encode())
    wait_for('the catalogue brought up to date', lambda: len(glob.glob(os.path.join(user, 'Wzory/*'))) == new_number + 2)
    editor.send_signal(signal.SIGTERM)
    editor.wait(10)
    editor = None
    at = lambda n: read(os.path.join(user, f'Wzory/BDR_{n:04d}.wmf'))
    assert at(1) == changed_bytes, 'the changed shipped template reached the user'
    assert at(new_number) == own, 'the user\'s design stays at its number'
    assert at(new_number + 1) == school, 'the school design at the next free number'
    assert at(new_number + 2) == new_bytes, 'the new shipped template at the next free number after it'
    assert read(werdat)[:6] == bytes([5]) + NEXT_CODE.encode(), read(werdat)
    assert printed('po') == before, 'the diploma saved on the own design still prints on it'
    listing = as_user(home, 'dyplom-wzory', 'lista').stdout.splitlines()
    origin = {line[:4]: line for line in listing if line[:4].isdigit()}
    assert 'dołączony' in origin['0001'] and 'własny' in origin[f'{new_number:04d}'] \
        and 'szkoła' in origin[f'{new_number + 1:04d}'] and 'dołączony' in origin[f'{new_number + 2:04d}'], listing
    mark('upgraded: changed, own, school and new templates where they belong')

    # A new user: the school's design at its own number, the new shipped one after it.
    newcomer = os.path.join(work, 'ola')
    os.makedirs(newcomer, mode=0o700)
    os.chown(newcomer, USER_ID, USER_ID)
    as_user(newcomer, 'dyplom-wzory', 'lista')
    fresh = os.path.join(newcomer, '.local/share/dyplom/Wzory')
    assert read(os.path.join(fresh, f'BDR_{new_number:04d}.wmf')) == school, 'a new user sees the school design'
    assert read(os.path.join(fresh, f'BDR_{new_number + 1:04d}.wmf')) == new_bytes

    # Purge: nothing of the package stays, the school's designs do.
    apt('purge', 'dyplom')
    package_in = installed('dyplom')
    assert not package_in
    left = [p for p in files_of_package if os.path.lexists(p) and not os.path.isdir(p)]
    left += [p for p in files_of_package if os.path.isdir(p) and (p.startswith('/usr/share/dyplom')
                                                                  or p.startswith('/usr/share/doc/dyplom'))]
    assert not left, f'purge left {left}'
    assert read(school_file) == school, 'the school design survives the purge'
    mark('purged')
    print(f'ok: {VERSION} -> {NEXT} for an ordinary user, a new user and the school; purge left nothing')
except AssertionError as failure:
    print('FAIL:', failure)
    sys.exit(1)
finally:
    stop(editor, xvfb)
    if package_in or installed('dyplom'):
        subprocess.run(['apt-get', 'purge', '-y', '-o', 'DPkg::Lock::Timeout=300', 'dyplom'], capture_output=True,
                       env=dict(os.environ, DEBIAN_FRONTEND='noninteractive'))
    if school_made:
        shutil.rmtree(SCHOOL, ignore_errors=True)
    subprocess.run(['appstreamcli', 'refresh-cache', '--force'], capture_output=True)
    shutil.rmtree(work, ignore_errors=True)
