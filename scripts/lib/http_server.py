#!/usr/bin/env python3
"""The update server the net tests talk to: serves a folder on 127.0.0.1 and logs requests.

Beside a served file NAME, small sidecar files change the answer for NAME:
  NAME.status  an HTTP status code: answered with that code and a short page
               (a 3xx also gets a Location header)
  NAME.lie     a number: sent as Content-Length while only the real bytes follow
  NAME.silent  a number of seconds: the request is held that long with no answer
Every request is appended to the log file as "GET /path".
"""
import argparse
import http.server
import os
import socketserver
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    server_version = "CavTestHTTP/1.0"

    def log_message(self, fmt, *args):
        pass

    def _sidecar(self, suffix):
        path = self.translate_path(self.path) + suffix
        if not os.path.isfile(path):
            return None
        with open(path, encoding="ascii") as f:
            return f.read().strip()

    def do_GET(self):
        with open(self.server.request_log, "a", encoding="utf-8") as log:
            log.write("GET %s\n" % self.path)
        silent = self._sidecar(".silent")
        if silent is not None:
            time.sleep(min(float(silent), 30.0))
            self.close_connection = True
            return
        status = self._sidecar(".status")
        if status is not None:
            body = ("<html><body>%s</body></html>\n" % status).encode("ascii")
            self.send_response(int(status))
            if status.startswith("3"):
                self.send_header("Location", "/elsewhere")
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        lie = self._sidecar(".lie")
        if lie is not None:
            with open(self.translate_path(self.path), "rb") as f:
                body = f.read()
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", lie)
            self.end_headers()
            self.wfile.write(body)
            self.close_connection = True
            return
        super().do_GET()


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()

    def handler(*a, **kw):
        return Handler(*a, directory=args.root, **kw)

    server = Server(("127.0.0.1", 0), handler)
    server.request_log = args.log
    open(args.log, "a").close()
    tmp = args.port_file + ".part"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
