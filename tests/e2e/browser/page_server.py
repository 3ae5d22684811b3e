#!/usr/bin/env python3
"""Serves the test pages from loopback and passes on what the pages report.

Usage: page_server.py FOLDER

Prints "port N" once it listens on 127.0.0.1, then one line per request:
  "get PATH"            for every page or file asked for
  "report QUERY"        for GET /report?QUERY, which the pages call to tell what they saw
Nothing is cached, so every navigation reaches the server.
"""
import http.server
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        if self.path.startswith("/report?"):
            say("report " + self.path[len("/report?"):])
            self.send_response(204)
            self.send_header("Access-Control-Allow-Origin", "*")
            self.end_headers()
            return
        say("get " + self.path)
        super().do_GET()

    def end_headers(self):
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def log_message(self, *args):
        pass


def say(line):
    sys.stdout.write(line + "\n")
    sys.stdout.flush()


def main():
    os.chdir(sys.argv[1])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    say("port %d" % server.server_address[1])
    server.serve_forever()


if __name__ == "__main__":
    main()
