#!/usr/bin/env python3
"""Makes one HTML page of a publishers' guide from its Markdown, with
Debian's Python-Markdown (the command markdown_py), for the release zip:
a publisher on Windows opens the page in any browser, where the Markdown
would be plain text.

usage: make_guide_html.py GUIDE.md OUT.html

The language is the guide's name's last part before ".md" (ja, en); the
page's title its first heading. Names of the other guide's Markdown file
become its page's name, as the zip holds the pages only.
"""
import os
import re
import subprocess
import sys

STYLE = """body { font-family: sans-serif; line-height: 1.5; max-width: 60em; margin: 2em auto; padding: 0 1em; }
code, pre { font-family: monospace; background: #f4f4f4; }
pre { padding: 0.5em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #999; padding: 0.2em 0.5em; text-align: left; vertical-align: top; }"""
GUIDE_NAME = re.compile(r"publishers-guide\.(ja|en)\.md")


def page(body, language, title):
    return (f'<!DOCTYPE html>\n<html lang="{language}">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{title}</title>\n<style>\n{STYLE}\n</style>\n</head>\n<body>\n{body}\n"
            "</body>\n</html>\n")


def main(guide, out):
    language = os.path.basename(guide).rsplit(".", 2)[-2]
    with open(guide, encoding="utf-8") as f:
        text = GUIDE_NAME.sub(r"publishers-guide.\1.html", f.read())
    converted = subprocess.run(["markdown_py", "-x", "tables", "-x", "fenced_code", "-x", "sane_lists",
                                "-o", "html", "-e", "utf-8"],
                               input=text.encode("utf-8"), capture_output=True)
    if converted.returncode != 0:
        sys.exit(f"make_guide_html.py: markdown_py failed on {guide}:\n"
                 + converted.stderr.decode("utf-8", "replace"))
    body = converted.stdout.decode("utf-8")
    heading = re.search(r"<h1>(.*?)</h1>", body, re.S)
    title = re.sub(r"<[^>]+>", "", heading.group(1)) if heading else os.path.basename(guide)
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(page(body, language, title))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:3])
