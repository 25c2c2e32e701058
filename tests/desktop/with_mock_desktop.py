#!/usr/bin/env python3
"""Runs a command on private D-Bus buses with python-dbusmock's stand-ins for the desktop: logind
on the system bus, the notification service on the session bus. Exits with the command's status.

Usage: with_mock_desktop.py COMMAND [ARGS...]"""
import os
import subprocess
import sys

import dbusmock


def main():
    dbusmock.DBusTestCase.start_system_bus()
    dbusmock.DBusTestCase.start_session_bus()
    mocks = [dbusmock.DBusTestCase.spawn_server_template(template, {}, stdout=subprocess.DEVNULL)[0]
             for template in ('logind', 'notification_daemon')]
    try:
        env = dict(os.environ, VARDENO_MOCK_DESKTOP='1')
        return subprocess.call(sys.argv[1:], env=env)
    finally:
        for mock in mocks:
            mock.terminate()
            mock.wait()
        dbusmock.DBusTestCase.tearDownClass()


if __name__ == '__main__':
    sys.exit(main())
