#!/usr/bin/python3
"""A loopback FTP server for the FTP client tests.

Usage: ftp_test_server.py PORT ROOT COMMAND_LOG
Serves ROOT to the user "tester" (password "secret") with full rights on 127.0.0.1:PORT and appends
every command it receives to COMMAND_LOG. The test that starts it stops it.
"""
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    port, root, command_log = int(sys.argv[1]), sys.argv[2], sys.argv[3]

    class LoggingHandler(FTPHandler):
        def pre_process_command(self, line, cmd, arg):
            with open(command_log, "a") as log:
                log.write(cmd + ("" if cmd == "PASS" else " " + (arg or "")).rstrip() + "\n")
            return super().pre_process_command(line, cmd, arg)

    authorizer = DummyAuthorizer()
    authorizer.add_user("tester", "secret", root, perm="elradfmwMT")
    LoggingHandler.authorizer = authorizer
    LoggingHandler.banner = "ready"
    server = FTPServer(("127.0.0.1", port), LoggingHandler)
    server.serve_forever()


if __name__ == "__main__":
    logging.basicConfig(level=logging.ERROR)
    main()
