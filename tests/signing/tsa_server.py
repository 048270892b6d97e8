#!/usr/bin/env python3
"""An RFC 3161 time-stamping service on loopback, for the signing tests:
each POSTed time-stamp query is answered by `openssl ts -reply` with the
test TSA's certificate and key.

    tsa_server.py TSA_CERT TSA_KEY CA_CERT WORKDIR

Prints the port it listens on, on one line, then serves until killed.
"""
import http.server
import os
import subprocess
import sys
import tempfile

tsa_cert, tsa_key, ca_cert, work = sys.argv[1:5]
config = os.path.join(work, "tsa.cnf")
with open(config, "w") as f:
    f.write(f"""[tsa]
default_tsa = test_tsa
[test_tsa]
serial = {work}/tsa-serial
crypto_device = builtin
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha1, sha256, sha384, sha512
accuracy = secs:1
ordering = yes
tsa_name = no
ess_cert_id_chain = no
ess_cert_id_alg = sha256
""")
with open(os.path.join(work, "tsa-serial"), "w") as f:
    f.write("01\n")


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        with tempfile.TemporaryDirectory(dir=work) as tmp:
            q, r = os.path.join(tmp, "query"), os.path.join(tmp, "reply")
            with open(q, "wb") as f:
                f.write(query)
            done = subprocess.run(["openssl", "ts", "-reply", "-config", config, "-queryfile", q,
                                   "-signer", tsa_cert, "-inkey", tsa_key, "-chain", ca_cert,
                                   "-out", r], capture_output=True)
            if done.returncode != 0:
                sys.stderr.write(done.stderr.decode(errors="replace"))
                self.send_error(500, "openssl ts failed")
                return
            reply = open(r, "rb").read()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
