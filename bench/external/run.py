#!/usr/bin/env python3
"""External-probe benchmarks over loopback servers only (127.0.0.x).

1. 2,000 external links over 50 hosts that each answer after 100 ms: --jobs 8 against
   --jobs 1 (wall time, identical reports, most connections open at once per host).
2. 500 links to one host that accepts and never answers, at --timeout 1.
3. A second run of (1) with --remember and every server stopped.

Usage: bench/external/run.py [TARVIK_CLI]   (default: build/src/cli/tarvik-cli)
"""
import asyncio
import json
import os
import re
import subprocess
import sys
import tempfile
import threading
import time

HOSTS = 50
LINKS = int(os.environ.get("LINKS", 2000))
STALLED_LINKS = int(os.environ.get("STALLED_LINKS", 500))
DELAY = 0.1


class Servers:
    """Loopback HTTP servers on their own asyncio thread, counting open connections."""

    def __init__(self, addresses, stall=False):
        self.addresses = addresses
        self.stall = stall
        self.ports = {}
        self.open = {a: 0 for a in addresses}
        self.most = {a: 0 for a in addresses}
        self.loop = asyncio.new_event_loop()
        ready = threading.Event()
        self.thread = threading.Thread(target=self._run, args=(ready,), daemon=True)
        self.thread.start()
        ready.wait()

    def _run(self, ready):
        asyncio.set_event_loop(self.loop)
        self.servers = []
        for address in self.addresses:
            server = self.loop.run_until_complete(
                asyncio.start_server(lambda r, w, a=address: self._answer(a, r, w), address, 0))
            self.ports[address] = server.sockets[0].getsockname()[1]
            self.servers.append(server)
        ready.set()
        self.loop.run_forever()

    async def _answer(self, address, reader, writer):
        self.open[address] += 1
        self.most[address] = max(self.most[address], self.open[address])
        try:
            await reader.readuntil(b"\r\n\r\n")
            if self.stall:
                await reader.read()
                return
            await asyncio.sleep(DELAY)
            self.open[address] -= 1
            writer.write(b"HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n")
            await writer.drain()
        except (asyncio.IncompleteReadError, ConnectionError):
            pass
        finally:
            if self.stall:
                self.open[address] -= 1
            writer.close()

    def url(self, address, path):
        return "http://%s:%d%s" % (address, self.ports[address], path)

    def stop(self):
        def close():
            for server in self.servers:
                server.close()
            self.loop.stop()
        self.loop.call_soon_threadsafe(close)
        self.thread.join()


def write_site(folder, urls):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "index.html"), "w") as page:
        page.write("<html><body>\n")
        for url in urls:
            page.write('<a href="%s">x</a>\n' % url)
        page.write("</body></html>\n")


def hyperfine(name, command, out, runs=1):
    result = os.path.join(out, name + ".json")
    subprocess.run(["hyperfine", "-N", "-i", "--runs", str(runs), "--export-json", result, command],
                   check=True, stdout=subprocess.DEVNULL)
    with open(result) as f:
        return json.load(f)["results"][0]["median"]


def report_without_time(path):
    with open(path, "rb") as f:
        return re.sub(rb"Total Response Time: [0-9.]+ secs\.", b"", f.read())


def main():
    cli = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/src/cli/tarvik-cli")
    out = tempfile.mkdtemp(prefix="tarvik-external-bench-")
    addresses = ["127.0.0.%d" % (i + 1) for i in range(HOSTS)]
    servers = Servers(addresses)
    urls = [servers.url(addresses[i % HOSTS], "/page%d.html" % i) for i in range(LINKS)]
    site = os.path.join(out, "many")
    write_site(site, urls)
    base = "%s -q --external links --folder %s" % (cli, site)
    remember = os.path.join(out, "remembered.txt")
    eight = hyperfine("jobs8", "%s --jobs 8 --report %s/r8.txt index.html" % (base, out), out, 3)
    most8 = max(servers.most.values())
    one = hyperfine("jobs1", "%s --jobs 1 --report %s/r1.txt index.html" % (base, out), out)
    subprocess.run(("%s --remember %s index.html" % (base, remember)).split(), stdout=subprocess.DEVNULL)
    servers.stop()
    same = report_without_time(out + "/r8.txt") == report_without_time(out + "/r1.txt")
    remembered = hyperfine("remembered", "%s --remember %s --report %s/rr.txt index.html" % (base, remember, out), out, 5)
    remembered_ok = report_without_time(out + "/rr.txt") == report_without_time(out + "/r8.txt")

    stalled = Servers(["127.0.0.1"], stall=True)
    stalled_site = os.path.join(out, "stalled")
    write_site(stalled_site, [stalled.url("127.0.0.1", "/s%d.html" % i) for i in range(STALLED_LINKS)])
    stall = hyperfine("stalled", "%s -q --external links --timeout 1 --folder %s index.html" % (cli, stalled_site), out)
    stalled.stop()

    print("%d links over %d hosts answering after %d ms:" % (LINKS, HOSTS, DELAY * 1000))
    print("  --jobs 8: %.2f s   --jobs 1: %.2f s   ratio 1/%.1f   reports identical: %s" % (eight, one, one / eight, same))
    print("  most connections open at once to one host (--per-host 2): %d" % most8)
    print("  second run from --remember, no server: %.3f s   same report: %s" % (remembered, remembered_ok))
    print("%d links to one stalled host at --timeout 1: %.2f s" % (STALLED_LINKS, stall))
    print("(files in %s)" % out)


if __name__ == "__main__":
    main()
