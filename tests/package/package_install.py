#!/usr/bin/env python3
# End to end, as a user gets the program: installs the package with apt,
# starts dyplom from an empty home folder under a private Xvfb, sees the
# per-user folder made and template 1 drawn, opens a .dyp given on the
# command line, prints it with dyplom-druk from the home folder, removes the
# package and finds the user's files untouched.
import hashlib, os, shutil, signal, subprocess, sys, tempfile, time

from package_common import installed, mark, package_to_install, run, skip, start_xvfb, stop, wait_for

SOURCE = os.environ['DYPLOM_SOURCE_DIR']
BINARY = os.environ['DYPLOM_BINARY_DIR']
OUT = os.environ['DYPLOM_PACKAGE_DIR']
FORM_COLOUR = bytes((255, 250, 244))
CLIENT = (744, 490)
IMAGE1 = (528, 40, 189, 281)       # the preview picture within the client area
NAGLOWEK = (16, 116, 473, 21)      # the heading edit within the client area
DLA = (16, 220, 473, 17)           # the recipient edit


deb = package_to_install(OUT, ('Xvfb', 'import', 'convert', 'xdotool', 'xclip', 'pdftotext'))
wmf_render = os.path.join(BINARY, 'tools', 'wmf-render')
if not os.path.exists(wmf_render):
    skip('tools/wmf-render is not built')


def ppm(data):
    """(width, height, rgb bytes) of a binary PPM."""
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b'P6' and fields[3] == b'255', fields
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def screenshot(display):
    shot = subprocess.run(['import', '-display', display, '-window', 'root', '-depth', '8', 'ppm:-'], capture_output=True)
    return ppm(shot.stdout) if shot.returncode == 0 else None


def client_origin(image):
    """Top-left corner of the main window's client area (its background colour), or None."""
    width, height, rgb = image
    for y in range(height):
        row = rgb[y * width * 3:(y + 1) * width * 3]
        x = row.find(FORM_COLOUR)
        while x >= 0 and x % 3:
            x = row.find(FORM_COLOUR, x + 1)
        if x >= 0:
            x //= 3
            right, bottom = x + CLIENT[0] - 1, y + CLIENT[1] - 1
            if right < width and bottom < height and pixel(image, right, y) == FORM_COLOUR \
                    and pixel(image, x, bottom) == FORM_COLOUR:
                return x, y
            return None
    return None


def pixel(image, x, y):
    width, _, rgb = image
    return rgb[(y * width + x) * 3:(y * width + x) * 3 + 3]


def crop(image, origin, box):
    x0, y0 = origin[0] + box[0], origin[1] + box[1]
    return b''.join(image[2][((y0 + y) * image[0] + x0) * 3:((y0 + y) * image[0] + x0 + box[2]) * 3]
                    for y in range(box[3]))


def mean_difference(a, b):
    return sum(abs(p - q) for p, q in zip(a, b)) / len(a)


def dark_pixels(rgb):
    return sum(1 for i in range(0, len(rgb), 3) if sum(rgb[i:i + 3]) < 3 * 100)


def tree(folder):
    """Every entry below folder, links not followed, with its content."""
    entries = {}
    for base, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(base, name)
            rel = os.path.relpath(path, folder)
            if os.path.islink(path):
                entries[rel] = 'link ' + os.readlink(path)
            elif os.path.isdir(path):
                entries[rel] = 'folder'
            else:
                with open(path, 'rb') as f:
                    entries[rel] = hashlib.sha256(f.read()).hexdigest()
    return entries


work = tempfile.mkdtemp(prefix='dyplom-e2e-')
home = os.path.join(work, 'home')
runtime = os.path.join(work, 'run')
os.makedirs(home)
os.makedirs(runtime, mode=0o700)
xvfb = None
editor = None
package_in = False
try:
    install = run('apt-get', 'install', '-y', '--no-install-recommends', '-o', 'DPkg::Lock::Timeout=300', deb,
                  check=False, env=dict(os.environ, DEBIAN_FRONTEND='noninteractive'))
    package_in = installed('dyplom')
    assert install.returncode == 0 and package_in, f'apt-get install: {install.stdout}{install.stderr}'
    mark('installed')
    for program in ('dyplom', 'dyplom-druk', 'dyplom-wzory', 'dyplom-klasa'):
        assert shutil.which(program, path='/usr/bin') == f'/usr/bin/{program}', f'{program} is on PATH'
    # The companions sit beside the editor the link leads to, where its program search looks first.
    editor_dir = os.path.dirname(os.path.realpath('/usr/bin/dyplom'))
    for program in ('notes', 'terminy', 'archiwizator'):
        assert os.access(os.path.join(editor_dir, program), os.X_OK), f'{program} beside the editor in {editor_dir}'
        assert not shutil.which(program, path='/usr/bin'), f'{program} is not in /usr/bin'

    xvfb, display = start_xvfb('-br')
    user_env = {'HOME': home, 'PATH': '/usr/local/bin:/usr/bin:/bin', 'DISPLAY': display, 'LANG': 'C.UTF-8',
                'XDG_RUNTIME_DIR': runtime, 'QT_QPA_PLATFORM': 'xcb'}

    def start_editor(*args):
        return subprocess.Popen(['dyplom', *args], cwd=home, env=user_env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE)

    def stop_editor(process):
        process.send_signal(signal.SIGTERM)
        process.wait(10)

    # First start from an empty home folder.
    editor = start_editor()
    user = os.path.join(home, '.local/share/dyplom')
    shipped = sorted(os.listdir('/usr/share/dyplom/Wzory'))
    wait_for('the per-user templates', lambda: os.path.isdir(os.path.join(user, 'Wzory'))
             and sorted(os.listdir(os.path.join(user, 'Wzory'))) == shipped)
    assert len(shipped) >= 26, shipped
    assert os.path.islink(os.path.join(user, 'Dyplomy')) and os.path.isdir(os.path.join(home, 'Dyplomy')), \
        'Dyplomy links to ~/Dyplomy'
    assert os.path.realpath(os.path.join(user, 'Dyplomy')) == os.path.realpath(os.path.join(home, 'Dyplomy'))

    reference_png = os.path.join(work, 'bdr_0001.png')
    run(wmf_render, '/usr/share/dyplom/Wzory/BDR_0001.wmf', reference_png, str(IMAGE1[2]), str(IMAGE1[3]))
    # The template is transparent where wmf-render shows white: compare the
    # drawn pixels only, with the preview's grey as what "nothing drawn" gives.
    reference = ppm(run('convert', reference_png, '-depth', '8', 'ppm:-', text=False).stdout)[2]
    drawn = [i for i in range(0, len(reference), 3) if sum(reference[i:i + 3]) < 3 * 235]
    assert len(drawn) > len(reference) // 3 // 20, 'template 1 is no blank picture'

    def drawn_part(rgb):
        return b''.join(rgb[i:i + 3] for i in drawn)

    expected, grey = drawn_part(reference), bytes((240, 240, 240)) * len(drawn)
    seen = {}

    def template_drawn():
        image = screenshot(display)
        origin = image and client_origin(image)
        if not origin:
            return None
        shown = drawn_part(crop(image, origin, IMAGE1))
        seen['to template'] = near = mean_difference(shown, expected)
        seen['to blank'] = blank = mean_difference(shown, grey)
        return near < 15 and blank > 3 * near and (image, origin)

    image, origin = wait_for('the window drawing template 1', template_drawn, details=seen)
    mark('template 1 drawn')
    assert dark_pixels(crop(image, origin, NAGLOWEK)) == 0, 'the heading starts empty'
    for made in ('archiwizator_config.dat', 'Admini/wer.dat'):
        assert os.path.isfile(os.path.join(user, made)), f'the start-up sequence ran in {user}: {made}'
    for absent in ('archiwizator_config.dat', 'Admini', 'Wzory'):
        assert not os.path.exists(os.path.join(home, absent)), f'home is no ProgramDir: {absent}'
    stop_editor(editor)

    # A diploma given on the command line, as a double click gives it.
    diploma = os.path.join(home, 'Dyplomy', 'uznanie.dyp')
    run('python3', os.path.join(SOURCE, 'tests/common/startup_diploma_oracle.py'), diploma)
    editor = start_editor('Dyplomy/uznanie.dyp', '--nieznana')

    def heading_shown():
        image = screenshot(display)
        origin = image and client_origin(image)
        return origin and dark_pixels(crop(image, origin, NAGLOWEK)) > 20 and dark_pixels(
            crop(image, origin, DLA)) > 20 and (image, origin)

    image, origin = wait_for('the diploma texts in the editor', heading_shown)
    # The main window is the one of the client's width (menus and tips are smaller).
    windows = run('xdotool', 'search', '--onlyvisible', '--pid', str(editor.pid), env=user_env).stdout.split()
    window = next(w for w in windows if int(run('xdotool', 'getwindowgeometry', '--shell', w, env=user_env)
                                            .stdout.split('WIDTH=')[1].split()[0]) >= CLIENT[0])
    run('xdotool', 'windowfocus', '--sync', window, env=user_env)

    def copied(box):
        x, y = origin[0] + box[0] + box[2] // 2, origin[1] + box[1] + box[3] // 2
        run('xdotool', 'mousemove', '--sync', str(x), str(y), 'click', '1', env=user_env)
        run('xdotool', 'key', 'ctrl+a', 'ctrl+c', env=user_env)
        time.sleep(0.3)
        return run('xclip', '-o', '-selection', 'clipboard', '-t', 'UTF8_STRING', env=user_env).stdout

    assert copied(NAGLOWEK) == 'DYPLOM UZNANIA', 'the heading is the file\'s'
    assert copied(DLA) == 'Małgorzata Żółkiewska', 'the recipient is the file\'s'
    mark('diploma texts read')
    stop_editor(editor)
    errors = editor.stderr.read().decode()
    assert '„--nieznana”' in errors and 'uznanie' not in errors, f'only the unknown argument is noted: {errors}'
    editor = None

    # dyplom-druk from the home folder finds the user's templates.
    printed = run('dyplom-druk', 'Dyplomy/uznanie.dyp', '-o', 'uznanie.pdf', cwd=home,
                  env=dict(user_env, QT_QPA_PLATFORM='offscreen'))
    text = run('pdftotext', os.path.join(home, 'uznanie.pdf'), '-').stdout
    assert 'Małgorzata Żółkiewska' in text and 'za wzorowe wyniki w nauce' in text, \
        f'the PDF holds the texts: {text!r} {printed.stderr}'

    mark('printed')
    def window_state(process):
        names = run('xdotool', 'search', '--name', '.', 'getwindowname', '%@', env=user_env, check=False).stdout
        ended = process.poll()
        said = process.stderr.read().decode() if ended is not None else ''
        return f'(windows: {names.split(chr(10))!r}; exit: {ended}; stderr: {said!r})'

    # The class window starts from the home folder with a diploma and a list.
    with open(os.path.join(home, 'klasa.csv'), 'w', encoding='utf-8') as csv:
        csv.write('dla\nAnna Nowak\nJan Kos\n')
    klasa = subprocess.Popen(['dyplom-klasa', 'Dyplomy/uznanie.dyp', 'klasa.csv'], cwd=home, env=user_env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        # The list's name comes first; xdotool reads WM_NAME, which Qt sets to the title without
        # the program's name that _NET_WM_NAME adds.
        wait_for('the class window', lambda: 'klasa.csv' in run(
            'xdotool', 'search', '--onlyvisible', '--name', 'klasa.csv', 'getwindowname', '%@',
            env=user_env, check=False).stdout, details=lambda: window_state(klasa))
        assert klasa.poll() is None, f'dyplom-klasa keeps running: {klasa.stderr.read().decode()}'
    finally:
        klasa.kill()
        klasa.wait(10)
    mark('class window shown')
    # ... and from a home folder of its own that nothing used before.
    fresh = os.path.join(work, 'fresh-home')
    os.makedirs(fresh)
    klasa = subprocess.Popen(['dyplom-klasa'], cwd=fresh, env=dict(user_env, HOME=fresh),
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        wait_for('the class window from an empty home', lambda: 'Dyplomy dla klasy' in run(
            'xdotool', 'search', '--onlyvisible', '--name', 'Dyplomy dla klasy', 'getwindowname', '%@',
            env=user_env, check=False).stdout, details=lambda: window_state(klasa))
        fresh_user = os.path.join(fresh, '.local/share/dyplom/Wzory')
        wait_for('the templates in the new home', lambda: os.path.isdir(fresh_user)
                 and sorted(os.listdir(fresh_user)) == shipped)
        assert klasa.poll() is None, f'dyplom-klasa keeps running: {klasa.stderr.read().decode()}'
    finally:
        klasa.kill()
        klasa.wait(10)
    mark('class window from an empty home')
    # dyplom-wzory from the home folder works on the same catalogue.
    listed = run('dyplom-wzory', 'lista', cwd=home, env=dict(user_env, QT_QPA_PLATFORM='offscreen'))
    assert '\n0001 ' in listed.stdout and not os.path.exists(os.path.join(home, 'Wzory')), \
        f'dyplom-wzory lists the user\'s catalogue: {listed.stdout[:200]!r} {listed.stderr}'
    # Removing the package leaves the user's folders as they are.
    before = {**tree(user), **{'~/' + k: v for k, v in tree(os.path.join(home, 'Dyplomy')).items()}}
    run('apt-get', 'remove', '-y', '-o', 'DPkg::Lock::Timeout=300', 'dyplom',
        env=dict(os.environ, DEBIAN_FRONTEND='noninteractive'))
    package_in = installed('dyplom')
    assert not package_in and not os.path.lexists('/usr/bin/dyplom') and not os.path.exists('/usr/share/dyplom') \
        and not os.path.exists('/usr/libexec/dyplom'), \
        'the package is gone'
    mark('removed')
    after = {**tree(user), **{'~/' + k: v for k, v in tree(os.path.join(home, 'Dyplomy')).items()}}
    assert before == after and '~/uznanie.dyp' in after, 'the user\'s folders are untouched'
    print(f'ok: installed, started in {user}, read the diploma, printed it, removed; {len(after)} user entries kept')
except AssertionError as failure:
    print('FAIL:', failure)
    sys.exit(1)
finally:
    stop(editor, xvfb)
    if package_in:
        subprocess.run(['apt-get', 'remove', '-y', '-o', 'DPkg::Lock::Timeout=300', 'dyplom'],
                       capture_output=True, env=dict(os.environ, DEBIAN_FRONTEND='noninteractive'))
    shutil.rmtree(work, ignore_errors=True)
