# Servers on 127.0.0.1 for the tests of the program's downloads.
#
# Prints the port it listens on as the first line of standard output, then serves until killed.
#
#   testserver.py files DIR [--tls CERT KEY] [--log FILE] [--drop TEXT]
#       DIR as a static web site. Besides the files:
#         /hop/N/PATH   redirects N times, then to /PATH
#         /drop/PATH    promises the whole file, sends half of it and closes the connection
#         /stream/PATH  sends the file without announcing its length, and closes
#         /to/PORT/PATH redirects to http://127.0.0.1:PORT/PATH
#         /status/N/PATH answers status N with the file as body (none for 204)
#       --log writes every requested path (as sent, percent-encoding included) to FILE.
#       --drop TEXT cuts off, as /drop does, every file whose decoded path contains TEXT.
#   testserver.py hang
#       accepts every connection and never answers; prints "accepted" for each.

import argparse
import http.server
import os
import shutil
import socket
import ssl
import sys
import threading
import urllib.parse


def serve_files(argv):
    p = argparse.ArgumentParser()
    p.add_argument("dir")
    p.add_argument("--tls", nargs=2)
    p.add_argument("--log")
    p.add_argument("--drop")
    a = p.parse_args(argv)
    log_lock = threading.Lock()

    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kw):
            super().__init__(*args, directory=a.dir, **kw)

        def log_message(self, *args):
            pass

        def redirect(self, location):
            self.send_response(302)
            self.send_header("Location", location)
            self.send_header("Content-Length", "0")
            self.end_headers()

        def do_GET(self):
            if a.log:  # an empty name: no log
                with log_lock, open(a.log, "a", encoding="utf-8") as f:
                    f.write(self.path + "\n")
            parts = self.path.split("/")
            rest = "/".join(parts[3:])
            if len(parts) > 3 and parts[1] == "hop":
                n = int(parts[2])
                return self.redirect("/hop/%d/%s" % (n - 1, rest) if n > 1 else "/" + rest)
            if len(parts) > 3 and parts[1] == "to":
                return self.redirect("http://127.0.0.1:%s/%s" % (parts[2], rest))
            cut = len(parts) > 2 and parts[1] == "drop"
            if cut or (len(parts) > 2 and parts[1] == "stream"):
                self.path = "/" + "/".join(parts[2:])
            path = self.translate_path(self.path)
            if len(parts) > 2 and parts[1] == "stream":
                self.send_response(200)
                self.end_headers()
                self.close_connection = True
                try:
                    with open(path, "rb") as f:
                        shutil.copyfileobj(f, self.wfile, 1 << 16)
                except OSError:
                    pass  # the client stopped reading, as it should past its cap
            elif len(parts) > 3 and parts[1] == "status":
                code = int(parts[2])
                path = self.translate_path("/" + rest)
                body = b""
                if code != 204 and os.path.isfile(path):
                    with open(path, "rb") as f:
                        body = f.read()
                self.send_response(code)
                if code != 204:
                    self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
            elif cut or (a.drop and a.drop in urllib.parse.unquote(self.path) and os.path.isfile(path)):
                with open(path, "rb") as f:
                    body = f.read()
                self.send_response(200)
                self.send_header("Content-Length", str(len(body) + 1000))
                self.end_headers()
                self.wfile.write(body[: len(body) // 2])
                self.wfile.flush()
                self.connection.shutdown(socket.SHUT_RDWR)
                self.close_connection = True
            else:
                super().do_GET()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if a.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(a.tls[0], a.tls[1])
        # The handshake runs in the request's thread, so a client that refuses the
        # certificate never holds up the others.
        server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
    print(server.server_address[1], flush=True)
    server.serve_forever()


def hang():
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    print(listener.getsockname()[1], flush=True)
    held = []
    while True:
        held.append(listener.accept()[0])
        print("accepted", flush=True)


if __name__ == "__main__":
    if sys.argv[1:] == ["hang"]:
        hang()
    else:
        serve_files(sys.argv[2:])
