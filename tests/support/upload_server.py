#!/usr/bin/env python3
"""A loopback HTTP server that plays an upload server for the upload tests.

It listens on two free ports of 127.0.0.1 (the second one plays "another server" for
redirects), prints "READY <port> <other port>" when both accept connections, and appends
one JSON line per request to the record file: method, path, port, headers and the parts of
a multipart body as Python's own email parser reads them. The request path chooses the
answer (see ANSWERS below).
"""

import base64
import json
import sys
import threading
import time
from email import policy
from email.parser import BytesParser
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

RECORD_LOCK = threading.Lock()
LINK = "https://files.example.test/"


def parse_multipart(content_type, body):
    message = BytesParser(policy=policy.HTTP).parsebytes(
        b"Content-Type: " + content_type.encode("latin-1") + b"\r\n\r\n" + body)
    if not message.is_multipart():
        return None
    parts = []
    for part in message.iter_parts():
        parts.append({
            "name": part.get_param("name", header="content-disposition"),
            "filename": part.get_filename(),
            "content_type": part.get_content_type(),
            "data": base64.b64encode(part.get_payload(decode=True) or b"").decode("ascii"),
        })
    return parts


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    record_path = None
    ports = ()

    def log_message(self, format, *args):
        pass

    def do_GET(self):
        self.handle_request(b"")

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        self.handle_request(self.rfile.read(length))

    def handle_request(self, body):
        url = urlsplit(self.path)
        if url.path != "/discard":
            self.record(body)
        answer = ANSWERS.get(url.path)
        if answer is None:
            self.answer(404, b"no such scenario")
            return
        answer(self, parse_qs(url.query))

    def record(self, body):
        headers = {}
        for name, value in self.headers.items():
            headers.setdefault(name.lower(), []).append(value)
        content_type = self.headers.get("Content-Type", "")
        entry = {
            "method": self.command,
            "path": self.path,
            "port": self.server.server_address[1],
            "headers": headers,
            "body_length": len(body),
            "parts": parse_multipart(content_type, body) if content_type.startswith("multipart/") else None,
        }
        with RECORD_LOCK, open(self.record_path, "a", encoding="utf-8") as record:
            record.write(json.dumps(entry) + "\n")

    def answer(self, status, body, content_type="text/plain; charset=utf-8", location=None):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        if location:
            self.send_header("Location", location)
        self.end_headers()
        self.wfile.write(body)

    def other_port(self):
        mine = self.server.server_address[1]
        return next(port for port in self.ports if port != mine)

    # Scenarios.

    def json_nested(self, query):
        self.answer(200, json.dumps({"data": {"link": LINK + "nested.png"}}).encode(), "application/json")

    def json_array(self, query):
        body = [{"id": 1, "url": 5}, {"url": LINK + "second.png"}, {"url": LINK + "third.png"}]
        self.answer(200, json.dumps(body).encode(), "application/json")

    def json_links_in_array(self, query):
        self.answer(200, json.dumps({"files": [{"url": LINK + "hidden.png"}]}).encode(), "application/json")

    def discard(self, query):
        """Answers a link without recording or parsing the body: the benchmark's server."""
        self.answer(200, (LINK + "discarded.png").encode())

    def plain(self, query):
        self.answer(200, (LINK + "plain.png\n").encode())

    def page_413(self, query):
        page = b"<html>\r\n<head><title>413 Request Entity Too Large</title></head>\r\n<body>Too large</body>\r\n</html>\r\n"
        self.answer(413, page, "text/html")

    def redirect(self, query):
        status = int(query["status"][0])
        port = self.other_port() if query.get("to") == ["other"] else self.server.server_address[1]
        self.answer(status, b"moved", location="http://127.0.0.1:%d%s" % (port, query["target"][0]))

    def redirect_loop(self, query):
        self.answer(302, b"", location="/loop")

    def sized(self, query):
        """A plain-text link padded with spaces to exactly `bytes` bytes, sent without a length."""
        size = int(query["bytes"][0])
        declare = query.get("declare") == ["1"]
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        if declare:
            self.send_header("Content-Length", str(size))
        self.end_headers()
        link = (LINK + "sized.png").encode()
        self.write_quietly(link + b" " * (size - len(link)))

    def endless(self, query):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.end_headers()
        chunk = b"x" * 65536
        while self.write_quietly(chunk):
            pass

    def silent(self, query):
        time.sleep(3600)

    def write_quietly(self, data):
        try:
            self.wfile.write(data)
            return True
        except (BrokenPipeError, ConnectionResetError):
            return False


ANSWERS = {
    "/json-nested": Handler.json_nested,
    "/json-array": Handler.json_array,
    "/json-links-in-array": Handler.json_links_in_array,
    "/plain": Handler.plain,
    "/discard": Handler.discard,
    "/413": Handler.page_413,
    "/redirect": Handler.redirect,
    "/loop": Handler.redirect_loop,
    "/sized": Handler.sized,
    "/endless": Handler.endless,
    "/silent": Handler.silent,
}


def main():
    Handler.record_path = sys.argv[1]
    servers = [ThreadingHTTPServer(("127.0.0.1", 0), Handler) for _ in range(2)]
    Handler.ports = tuple(server.server_address[1] for server in servers)
    for server in servers:
        server.daemon_threads = True
        threading.Thread(target=server.serve_forever, daemon=True).start()
    print("READY %d %d" % Handler.ports, flush=True)
    # Runs until the test ends it or closes our input.
    sys.stdin.read()


if __name__ == "__main__":
    main()
