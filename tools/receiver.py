#!/usr/bin/env python3
"""A loopback HTTP receiver for tests, benchmarks and demonstrations.

It listens on 127.0.0.1 at a free port, writes that port to DIR/port, and keeps every request's
raw bytes (request line, headers, body) in DIR/requests/. The request path chooses the answer:

  /status/NNN/...    answers NNN with the standard reason phrase ("404 Not Found")
  /set-cookie/...    answers 200 with "Set-Cookie: jar=from-receiver; Path=/", to see whether a
                     client adds cookies of its own
  /discard/...       answers 200 but keeps only the request line and headers, plus the body's
                     length and SHA-256 (for bodies too large to keep on disk)
  anything else      answers 200 OK

A request is recorded in DIR/requests/NAME.http, NAME being its path without the query, with
every character other than letters, digits, '-' and '.' turned into '_'; the record is complete
before the answer goes out. With --keep-uploads it also acts like a server-side form handler:
a multipart field "UploadData" is saved in DIR/uploads/ under its file name (base name only), and
every other field is appended to DIR/uploads/fields.txt as "name=value".

  receiver.py start DIR [--lifetime SECONDS] [--keep-uploads]   clears DIR/requests, starts it in
                                                               the background and returns once
                                                               it listens
  receiver.py stop DIR                                         stops it and waits for it
  receiver.py serve DIR [...]                                  runs it in the foreground

It stops by itself after --lifetime seconds (default 600), on SIGTERM or SIGINT.
"""
import argparse
import email.parser
import email.policy
import hashlib
import http
import os
import re
import shutil
import signal
import socketserver
import subprocess
import sys
import threading
import time

CHUNK = 1 << 20


def record_name(target):
    path = target.split("?", 1)[0].strip("/") or "root"
    return re.sub(r"[^A-Za-z0-9.-]", "_", path)


def status_for(target):
    match = re.match(r"/status/(\d{3})(/|$|\?)", target)
    code = int(match.group(1)) if match else 200
    try:
        reason = http.HTTPStatus(code).phrase
    except ValueError:
        reason = "Status"
    return code, reason


def write_atomically(path, parts):
    temporary = path + ".partial"
    with open(temporary, "wb") as out:
        for part in parts:
            out.write(part)
    os.replace(temporary, path)


def client_filename(part):
    """The part's filename exactly as the client sent it: a Windows path in the client's ANSI
    code page, whose backslashes are path separators rather than escapes."""
    raw = next((value for key, value in part.raw_items() if key.lower() == "content-disposition"), "")
    match = re.search(rb'filename="([^"]*)"', raw.encode("ascii", "surrogateescape"))
    return match.group(1).decode("cp1252", "replace") if match else None


def keep_upload(folder, head, body):
    """Saves the fields of a multipart body as a form handler would."""
    content_type = next((line.split(b":", 1)[1].strip() for line in head.split(b"\r\n")[1:]
                         if line.lower().startswith(b"content-type:")), b"")
    if not content_type.lower().startswith(b"multipart/form-data"):
        return
    message = email.parser.BytesParser(policy=email.policy.HTTP).parsebytes(
        b"Content-Type: " + content_type + b"\r\n\r\n" + body)
    uploads = os.path.join(folder, "uploads")
    os.makedirs(uploads, exist_ok=True)
    for part in message.iter_parts():
        name = part.get_param("name", header="content-disposition")
        data = part.get_payload(decode=True) or b""
        filename = client_filename(part)
        if name == "UploadData" and filename:
            base = re.split(r"[\\/]", filename)[-1] or "upload"
            write_atomically(os.path.join(uploads, base), [data])
        else:
            with open(os.path.join(uploads, "fields.txt"), "ab") as out:
                out.write(str(name).encode() + b"=" + data + b"\n")


class Handler(socketserver.StreamRequestHandler):
    def handle(self):
        head = b""
        while True:
            line = self.rfile.readline(65537)
            if not line:
                return
            head += line
            if line in (b"\r\n", b"\n"):
                break
        request_line = head.split(b"\r\n", 1)[0].decode("latin-1")
        parts = request_line.split(" ")
        target = parts[1] if len(parts) > 1 else "/"
        headers = {}
        for line in head.split(b"\r\n")[1:]:
            if b":" in line:
                key, value = line.split(b":", 1)
                headers[key.strip().lower()] = value.strip()
        if headers.get(b"expect", b"").lower() == b"100-continue":
            self.wfile.write(b"HTTP/1.1 100 Continue\r\n\r\n")
        length = int(headers.get(b"content-length", b"0") or 0)
        folder = self.server.folder
        path = os.path.join(folder, "requests", record_name(target) + ".http")
        if target.startswith("/discard/"):
            digest, left = hashlib.sha256(), length
            while left:
                chunk = self.rfile.read(min(CHUNK, left))
                if not chunk:
                    break
                digest.update(chunk)
                left -= len(chunk)
            summary = "received %d sha256 %s\r\n" % (length - left, digest.hexdigest())
            write_atomically(path, [head, summary.encode()])
        else:
            body = self.rfile.read(length) if length else b""
            write_atomically(path, [head, body])
            if self.server.keep_uploads:
                keep_upload(folder, head, body)
        code, reason = status_for(target)
        text = b"%d %s\n" % (code, reason.encode())
        extra = b"Set-Cookie: jar=from-receiver; Path=/\r\n" if target.startswith("/set-cookie/") else b""
        self.wfile.write(b"HTTP/1.1 %d %s\r\nContent-Type: text/plain\r\nContent-Length: %d\r\n%s"
                         b"Connection: close\r\n\r\n%s" % (code, reason.encode(), len(text), extra, text))


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def serve(folder, lifetime, keep_uploads):
    os.makedirs(os.path.join(folder, "requests"), exist_ok=True)
    server = Server(("127.0.0.1", 0), Handler)
    server.folder, server.keep_uploads = folder, keep_uploads
    stop = threading.Event()
    for number in (signal.SIGTERM, signal.SIGINT):
        signal.signal(number, lambda *_: stop.set())
    threading.Thread(target=server.serve_forever, daemon=True).start()
    write_atomically(os.path.join(folder, "pid"), [b"%d\n" % os.getpid()])
    write_atomically(os.path.join(folder, "port"), [b"%d\n" % server.server_address[1]])
    stop.wait(lifetime)
    server.shutdown()
    server.server_close()
    for name in ("port", "pid"):
        try:
            os.remove(os.path.join(folder, name))
        except FileNotFoundError:
            pass


def start(folder, lifetime, keep_uploads):
    os.makedirs(folder, exist_ok=True)
    stop(folder)
    # Records of an earlier run would pass for this run's.
    shutil.rmtree(os.path.join(folder, "requests"), ignore_errors=True)
    port_file = os.path.join(folder, "port")
    command = [sys.executable, os.path.abspath(__file__), "serve", folder, "--lifetime", str(lifetime)]
    if keep_uploads:
        command.append("--keep-uploads")
    with open(os.path.join(folder, "receiver.log"), "ab") as log:
        child = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                 start_new_session=True)
    deadline = time.monotonic() + 10
    while not os.path.exists(port_file):
        if child.poll() is not None or time.monotonic() > deadline:
            sys.exit("receiver: did not start (see %s)" % os.path.join(folder, "receiver.log"))
        time.sleep(0.02)
    with open(port_file) as f:
        print(f.read().strip())


def stop(folder):
    try:
        with open(os.path.join(folder, "pid")) as f:
            pid = int(f.read())
        os.kill(pid, signal.SIGTERM)
    except (FileNotFoundError, ValueError, ProcessLookupError):
        return
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            return
        time.sleep(0.02)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("action", choices=("start", "stop", "serve"))
    parser.add_argument("folder")
    parser.add_argument("--lifetime", type=float, default=600)
    parser.add_argument("--keep-uploads", action="store_true")
    arguments = parser.parse_args()
    folder = os.path.abspath(arguments.folder)
    if arguments.action == "start":
        start(folder, arguments.lifetime, arguments.keep_uploads)
    elif arguments.action == "stop":
        stop(folder)
    else:
        serve(folder, arguments.lifetime, arguments.keep_uploads)


if __name__ == "__main__":
    main()
