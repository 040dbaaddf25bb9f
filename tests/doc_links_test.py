#!/usr/bin/env python3
"""Every link of the README and the docs/ pages leads somewhere: a file of
the tree, and, after a '#', a heading of that file (as GitHub makes anchors).
Links to the web are not followed. Prints each broken link; exits 1 if any."""
import os
import re
import sys

root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
link = re.compile(r"!?\[[^\]]*\]\(([^)\s]+)\)")


def anchors(path):
    found = set()
    for line in open(path, encoding="utf-8"):
        if line.startswith("#"):
            title = line.lstrip("#").strip().lower()
            found.add(re.sub(r"[^\w\- ]", "", title).replace(" ", "-"))
    return found


def pages():
    yield os.path.join(root, "README.md")
    docs = os.path.join(root, "docs")
    for name in sorted(os.listdir(docs)):
        if name.endswith(".md"):
            yield os.path.join(docs, name)


def broken(page):
    text = open(page, encoding="utf-8").read()
    for target in link.findall(text):
        if re.match(r"[a-z]+:", target):
            continue
        file, _, anchor = target.partition("#")
        path = os.path.normpath(os.path.join(os.path.dirname(page), file)) if file else page
        if not os.path.exists(path):
            yield target, "no such file"
        elif anchor and path.endswith(".md") and anchor not in anchors(path):
            yield target, "no such heading"


links = bad = 0
for page in pages():
    for target, why in broken(page):
        print(f"{os.path.relpath(page, root)}: {target}: {why}")
        bad += 1
    links += len(link.findall(open(page, encoding="utf-8").read()))
print(f"doc_links: {links} links read, {bad} broken")
sys.exit(1 if bad or links < 10 else 0)
