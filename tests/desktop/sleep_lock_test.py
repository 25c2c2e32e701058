#!/usr/bin/env python3
"""vardeno-cli convert and logind's sleep lock, against python-dbusmock's logind on a private
system bus: the lock is listed while files convert and gone when the run has ended (done,
aborted, or failed to start an encoder); a refused lock is said once and the run goes on.

Usage: sleep_lock_test.py VARDENO_CLI"""
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import dbus
import dbusmock

CLI = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else 'vardeno-cli'
MANAGER = 'org.freedesktop.login1.Manager'
NOTICE = 'The computer may go to sleep during the conversion.'

# A stand-in for ffmpeg: a conversion takes a while and writes its output; anything else (the
# probe, -version, -encoders) fails at once, which a run takes as an unknown file.
FAKE_FFMPEG = '''#!/bin/sh
[ "$1" = "-y" ] || exit 1
for out; do :; done
echo "frame=    1 time=00:00:00.04"
sleep 1.5
printf x > "$out"
'''


class SleepLockTest(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_system_bus()
        cls.dbus_con = cls.get_dbus(system_bus=True)

    def setUp(self):
        self.p_mock, self.logind = self.spawn_server_template('logind', {}, stdout=subprocess.DEVNULL)
        self.dir = tempfile.TemporaryDirectory()
        self.encoder = self.write('fake-ffmpeg', FAKE_FFMPEG, 0o755)
        for name in ('a.avi', 'b.avi', 'c.avi'):
            self.write(name, 'input')

    def tearDown(self):
        self.p_mock.terminate()
        self.p_mock.wait()
        self.dir.cleanup()

    def write(self, name, text, mode=0o644):
        path = os.path.join(self.dir.name, name)
        with open(path, 'w') as f:
            f.write(text)
        os.chmod(path, mode)
        return path

    def inhibitors(self):
        return [tuple(str(x) for x in i[:4]) for i in self.logind.ListInhibitors(dbus_interface=MANAGER)]

    def start(self, *extra, encoder=None):
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.dir.name, 'config'), LC_ALL='C')
        args = [CLI, 'convert', 'a.avi', 'b.avi', 'c.avi', '--out-dir', 'out', '--generation', 'modern',
                '--encoder', encoder or self.encoder, '--player', 'none', *extra]
        return subprocess.Popen(args, cwd=self.dir.name, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                text=True)

    def wait_for_lock(self, cli):
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and cli.poll() is None:
            if self.inhibitors():
                return self.inhibitors()
            time.sleep(0.05)
        return self.inhibitors()

    def test_the_lock_is_held_for_the_run_and_gone_after_it_however_it_ends(self):
        held = ('sleep:idle', 'Vardeno', 'Converting 3 files', 'block')
        cli = self.start()
        self.assertEqual(self.wait_for_lock(cli), [held])
        out, err = cli.communicate(timeout=30)
        self.assertEqual(cli.returncode, 0, err)
        self.assertEqual(len(out.splitlines()), 3)
        self.assertNotIn(NOTICE, err)
        self.assertEqual(self.inhibitors(), [])

        aborted = self.start('--lang', 'pl')
        self.assertEqual(self.wait_for_lock(aborted), [('sleep:idle', 'Vardeno', 'Konwertowanie 3 plików', 'block')])
        aborted.send_signal(signal.SIGINT)
        aborted.communicate(timeout=30)
        self.assertEqual(aborted.returncode, 130)
        self.assertEqual(self.inhibitors(), [])

        # An encoder that cannot be started ends the run with a system error.
        cannot = self.start(encoder=self.write('not-executable', FAKE_FFMPEG, 0o644))
        _, err = cannot.communicate(timeout=30)
        self.assertEqual(cannot.returncode, 1, err)
        self.assertIn('Permission denied', err)
        self.assertNotIn(NOTICE, err)
        self.assertEqual(self.inhibitors(), [])

    def test_a_refused_lock_is_said_once_and_the_run_goes_on(self):
        self.logind.AddMethod(MANAGER, 'Inhibit', 'ssss', 'h',
                              'raise dbus.exceptions.DBusException("refused", '
                              'name="org.freedesktop.DBus.Error.AccessDenied")',
                              dbus_interface=dbusmock.MOCK_IFACE)
        cli = self.start()
        out, err = cli.communicate(timeout=30)
        self.assertEqual(cli.returncode, 0, err)
        self.assertEqual(err.splitlines(), [NOTICE])
        self.assertEqual(len(out.splitlines()), 3)
        self.assertEqual(sorted(os.listdir(os.path.join(self.dir.name, 'out'))), ['a.mp4', 'b.mp4', 'c.mp4'])


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
