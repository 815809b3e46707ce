#!/usr/bin/env python3
"""Reads the bodies that the form poster's tests posted to the receiver with Python's own
multipart parser (the email package, as a server-side form handler would) and checks that
they come apart into the fields, names, file names and bytes that were sent.

Usage: check_bodies.py RECEIVER_FOLDER DATA_FOLDER
"""
import email.parser
import email.policy
import os
import sys


def fields(record):
    with open(record, "rb") as f:
        raw = f.read()
    head, body = raw.split(b"\r\n\r\n", 1)
    content_type = next(line.split(b":", 1)[1].strip() for line in head.split(b"\r\n")[1:]
                        if line.lower().startswith(b"content-type:"))
    message = email.parser.BytesParser(policy=email.policy.HTTP).parsebytes(
        b"Content-Type: " + content_type + b"\r\n\r\n" + body)
    assert message.is_multipart(), "not multipart"
    assert not message.defects, message.defects
    parsed = []
    for part in message.iter_parts():
        assert part.get_content_disposition() == "form-data", part.get_content_disposition()
        filename = part.get_filename()
        if filename is not None:
            assert part.get_content_type() == "application/save", part.get_content_type()
        parsed.append((part.get_param("name", header="content-disposition"), filename,
                       part.get_payload(decode=True) or b""))
    return parsed



# Each record and the fields it must hold: (name, file in the data folder or None, bytes or None
# for the file's own bytes).
EXPECTED = {
    "body_batch": [("UploadData", "batch.txt", None), ("btnSubmit", None, b"Upload"),
                   ("FormName", None, b"VizaraRodode")],
    "body_two-files": [("a", "first.bin", b"one"), ("b", "second.bin", b"two!")],
    "body_binary": [("UploadData", "binary.bin", None)],
    "post_empty-token": [("f", "token.txt", b"T")],
}


def expected_fields(data, fields):
    for name, file_name, value in fields:
        if file_name is None:
            yield name, None, value
            continue
        path = os.path.join(data, file_name)
        with open(path, "rb") as f:
            content = f.read()
        # The poster sends the Windows path verbatim inside a quoted string, where a reader that
        # follows HTTP's quoting takes each backslash as an escape and drops it.
        windows = "Z:" + path.replace("/", "\\")
        yield name, windows.replace("\\", ""), content if value is None else value


def main():
    receiver, data = sys.argv[1], os.path.abspath(sys.argv[2])
    failures = 0
    for record, fields_sent in EXPECTED.items():
        try:
            got = fields(os.path.join(receiver, "requests", record + ".http"))
            want = list(expected_fields(data, fields_sent))
            assert got == want, "parsed %r, expected %r" % (got, want)
            print("ok   %s: %d fields" % (record, len(got)))
        except Exception as problem:  # report every record, then fail
            failures += 1
            print("FAIL %s: %s" % (record, problem))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
