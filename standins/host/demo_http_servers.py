#!/usr/bin/env python3
"""The user-group server and the notification server of the demo, on 127.0.0.1.

Each listens on a free port; the ports are written to --ports-file as "user_group push".
Every request received is appended to --log (request line and headers, as received).
The servers answer the plug-in's attribute query and one push document per attribute,
with messages valid now, one that has expired and one that is not valid yet.
Runs until terminated.
"""
import argparse
import json
import socketserver
import threading
import time
from http.server import BaseHTTPRequestHandler, HTTPServer

ATTRIBUTES = ["vip", "beta"]


def push_document(attribute):
    now = int(time.time())
    day = 86400
    messages = {
        "vip": [
            {"msgid": 101, "title": "Welcome to the VIP channel", "url": "https://example.invalid/vip",
             "starttime": now - day, "endtime": now + day},
            {"msgid": 102, "title": "Expired offer", "starttime": now - 2 * day, "endtime": now - day},
        ],
        "beta": [
            {"msgid": 201, "title": "Beta build 2.1 is out", "starttime": now - 60, "endtime": now + 7 * day},
            {"msgid": 202, "title": "Already read", "starttime": now - 60, "endtime": now + day},
            {"msgid": 203, "title": "Not yet", "starttime": now + day, "endtime": now + 2 * day},
        ],
    }[attribute]
    return {"platform": "windows", "message": messages}


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    log_lock = threading.Lock()

    def do_GET(self):
        with Handler.log_lock, open(self.server.log_path, "a", encoding="latin-1") as log:
            log.write("%s saw: %s\n" % (self.server.name, self.requestline))
            for name, value in self.headers.items():
                log.write("    %s: %s\n" % (name, value))
        body = self.server.answer(self.path)
        if body is None:
            self.send_response(404)
            payload = b""
        else:
            self.send_response(200)
            payload = json.dumps(body, ensure_ascii=False).encode("utf-8")
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(payload)))
        self.end_headers()
        self.wfile.write(payload)

    def log_message(self, *args):
        pass


class Server(socketserver.ThreadingMixIn, HTTPServer):
    daemon_threads = True

    def __init__(self, name, answer, log_path):
        super().__init__(("127.0.0.1", 0), Handler)
        self.name, self.answer, self.log_path = name, answer, log_path


def user_group_answer(path):
    if not path.startswith("/attribute?"):
        return None
    query = dict(part.split("=", 1) for part in path.split("?", 1)[1].split("&") if "=" in part)
    return {"ERRNO": "0", "USERID": query.get("uid", ""), "ATTRIBUTE": ATTRIBUTES}


def push_answer(path):
    for attribute in ATTRIBUTES:
        if path == "/v3/%s/windows.js" % attribute:
            return push_document(attribute)
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--ports-file", required=True)
    parser.add_argument("--log", required=True)
    args = parser.parse_args()
    servers = [Server("user-group server", user_group_answer, args.log),
               Server("notification server", push_answer, args.log)]
    for server in servers:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    with open(args.ports_file + ".tmp", "w") as ports:
        ports.write(" ".join(str(server.server_address[1]) for server in servers) + "\n")
    import os
    os.replace(args.ports_file + ".tmp", args.ports_file)
    threading.Event().wait()


if __name__ == "__main__":
    main()
