#!/usr/bin/env python3
"""Loopback servers for the update-check tests: HTTP serving the folder given
as argument, a port that accepts connections and never answers, and a port
without a listener. Prints the three port numbers on one line, then serves
until it is killed."""
import functools, http.server, socket, sys, threading
root = sys.argv[1]
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=root)
handler.func.log_message = lambda *args: None
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
silent = socket.socket()
silent.bind(("127.0.0.1", 0))
silent.listen(16)
held = []
threading.Thread(target=lambda: [held.append(silent.accept()) for _ in iter(int, 1)], daemon=True).start()
dead = socket.socket()
dead.bind(("127.0.0.1", 0))
dead_port = dead.getsockname()[1]
dead.close()
print(server.server_address[1], silent.getsockname()[1], dead_port, flush=True)
server.serve_forever()
