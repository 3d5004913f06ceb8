#!/usr/bin/env python3
"""Writes LIESMICH.txt from the German guide at the top of README.md, as
plain text that Notepad shows correctly on any Windows: UTF-8 with a byte
order mark, CR LF line ends, lines wrapped at 76 characters.

Usage: make_liesmich.py README.md LIESMICH.txt VERSION

The guide is everything before the developers' part. The README keeps to a
small part of Markdown (headings, paragraphs, lists, one table per block,
inline code, emphasis, links, pictures); anything else is an error here, so
that the text file never shows Markdown the converter did not understand.
"""
import re
import sys
import textwrap

WIDTH = 76
GUIDE_END = "## For developers"
KEEP = "\0"  # a blank that does not break a line


def inline(text):
    # Code spans are kept as they stand (they hold "*.kw"); the rest loses
    # its links' targets and its emphasis.
    parts = re.split(r"`([^`]*)`", text)
    for i in range(0, len(parts), 2):
        plain = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", r"\1", parts[i]).replace("**", "")
        if re.search(r"[`*_]|\]\(", plain):
            raise SystemExit(f"make_liesmich.py: Markdown left in: {text}")
        parts[i] = plain
    # A code span is one word for the wrapping (a command stays on one line).
    for i in range(1, len(parts), 2):
        parts[i] = parts[i].replace(" ", KEEP)
    return "".join(parts)


def wrap(text, first="", rest=""):
    return textwrap.wrap(inline(text), WIDTH, initial_indent=first, subsequent_indent=rest,
                         break_long_words=False, break_on_hyphens=False)


def table(rows):
    cells = [[inline(c.strip()) for c in row.strip().strip("|").split("|")] for row in rows
             if not re.fullmatch(r"\|[-|: ]+\|", row.strip())]
    first = max(len(r[0]) for r in cells) + 3
    lines = []
    for r in cells:
        rest = " | ".join(r[1:])
        lines += textwrap.wrap(rest, WIDTH, initial_indent=r[0].ljust(first), subsequent_indent=" " * first,
                               break_long_words=False, break_on_hyphens=False) or [r[0]]
        if r is cells[0]:
            lines.append("-" * min(WIDTH, max(len(l) for l in lines)))
    return lines


def block(lines, version):
    head = lines[0]
    if head.startswith("!["):
        return []
    heading = re.match(r"(#+) (.*)", head)
    if heading:
        title = inline(heading.group(2))
        if len(heading.group(1)) == 1:
            title += " " + version
        return [title, ("=" if len(heading.group(1)) == 1 else "-") * len(title)]
    if head.startswith("|"):
        return table(lines)
    out = []
    for line in lines:
        item = re.match(r"(- |\d+\. )(.*)", line)
        if item:
            out += wrap(item.group(2), item.group(1), " " * len(item.group(1)))
        elif out and lines[0] != line:
            raise SystemExit(f"make_liesmich.py: a paragraph of more than one line: {line}")
        else:
            out += wrap(line)
    return out


def main():
    readme, target, version = sys.argv[1:4]
    guide = open(readme, encoding="utf-8").read().split("\n" + GUIDE_END + "\n")[0]
    blocks = [b.split("\n") for b in re.split(r"\n\s*\n", guide.strip())]
    text = []
    for b in blocks:
        lines = block(b, version)
        if lines:
            text += lines + [""]
    with open(target, "wb") as f:
        f.write("\r\n".join(text[:-1] + [""]).replace(KEEP, " ").encode("utf-8-sig"))


main()
