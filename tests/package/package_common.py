# What the tests that install the package with apt share: the steps' timing,
# running tools, the package's state in dpkg and the checks before anything
# is installed.
import glob, os, shutil, subprocess, sys, time

T0 = time.time()


def mark(step):
    print(f'{time.time() - T0:5.1f} s  {step}', flush=True)


def skip(reason):
    print('SKIP: ' + reason)
    sys.exit(77)


def run(*args, check=True, **kw):
    kw.setdefault('text', True)
    result = subprocess.run(args, capture_output=True, **kw)
    if check and result.returncode != 0:
        raise AssertionError(f'{args} failed ({result.returncode}): {result.stdout}{result.stderr}')
    return result


def installed(package):
    status = run('dpkg-query', '-W', '-f=${Status}', package, check=False)
    return status.returncode == 0 and status.stdout.endswith(' installed')


def wait_for(what, test, seconds=40, details=None):
    deadline = time.time() + seconds
    while time.time() < deadline:
        result = test()
        if result:
            return result
        time.sleep(0.3)
    if callable(details):
        details = details()  # what the machine shows at the time of failing
    raise AssertionError(f'timed out waiting for {what}' + (f' {details}' if details else ''))


def start_xvfb(*options):
    """A private X server: (its process, its DISPLAY). -noreset: without it the server resets when its
    last client leaves, and a program started in that moment cannot connect."""
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', '1', '-screen', '0', '1024x768x24', '-nolisten', 'tcp', '-noreset',
                             *options],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return xvfb, ':' + xvfb.stdout.readline().decode().strip()


def stop(editor, xvfb):
    """Ends the editor and the X server, whichever of them was started."""
    if editor and editor.poll() is None:
        editor.kill()
    if xvfb:
        xvfb.terminate()
        xvfb.wait(10)


def package_to_install(out, tools):
    """The one .deb in out, once this machine can take it: root, apt, the tools, no dyplom yet."""
    if os.geteuid() != 0:
        skip('installing a package needs root')
    if not os.path.exists('/etc/debian_version') or not shutil.which('apt-get'):
        skip('not a Debian system with apt')
    for tool in tools:
        if not shutil.which(tool):
            skip(f'{tool} is missing (scripts/setup installs it)')
    debs = glob.glob(os.path.join(out, 'dyplom_*.deb'))
    if len(debs) != 1:
        sys.exit(f'no package in {out}: tst_package_contents builds it')
    if installed('dyplom'):
        skip('a dyplom package is already installed here; the test would replace and remove it')
    return debs[0]
