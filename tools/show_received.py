#!/usr/bin/env python3
"""Shows what the loopback receiver kept of an upload batch, file by file, next to the files
that were listed: each kept file's size and whether its bytes match the original.

  show_received.py RECEIVER_DIR SAMPLES_DIR

The receiver (--keep-uploads) saved each "UploadData" field under its file name, as read by
Python's own multipart parser, and recorded the other fields in uploads/fields.txt.
"""
import hashlib
import os
import sys


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def main():
    receiver, samples = sys.argv[1], sys.argv[2]
    uploads = os.path.join(receiver, "uploads")
    kept = sorted(n for n in os.listdir(uploads) if n != "fields.txt") if os.path.isdir(uploads) else []
    print("The server kept %d file(s):" % len(kept))
    for name in kept:
        got = os.path.join(uploads, name)
        original = os.path.join(samples, name)
        size = os.path.getsize(got)
        if os.path.exists(original):
            verdict = "checksum matches" if digest(got) == digest(original) else "CHECKSUM DIFFERS"
        else:
            verdict = "no listed file of that name"
        print("  %-20s %9d bytes  %s" % (name, size, verdict))
    for name in sorted(os.listdir(samples)):
        if name not in kept:
            print("  %-20s not received (%d bytes listed)" % (name, os.path.getsize(os.path.join(samples, name))))
    fields = os.path.join(uploads, "fields.txt")
    if os.path.exists(fields):
        with open(fields, encoding="latin-1") as f:
            print("Other fields received:", ", ".join(line.strip() for line in f if line.strip()))


if __name__ == "__main__":
    main()
