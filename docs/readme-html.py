#!/usr/bin/env python3
"""Turns README.md into the HTML page that is installed as share/doc/quavrel/README.html, the
page the About window opens. It knows the Markdown the read-me uses and no more: headings,
paragraphs, lists, indented code, tables, pictures, links, `code` and **bold**.

    readme-html.py README.md OUT.html
"""
import html
import re
import sys


def inline(text):
    parts = re.split(r"(`[^`]*`)", text)
    out = []
    for part in parts:
        if part.startswith("`") and part.endswith("`") and len(part) >= 2:
            out.append("<code>%s</code>" % html.escape(part[1:-1]))
            continue
        part = html.escape(part, quote=False)
        part = re.sub(r"!\[([^\]]*)\]\(([^)]*)\)",
                      lambda m: '<img alt="%s" src="%s">' % (m.group(1), m.group(2).split("/")[-1]),
                      part)
        part = re.sub(r"\[([^\]]*)\]\(([^)]*)\)", r'<a href="\2">\1</a>', part)
        part = re.sub(r"\*\*([^*]+)\*\*", r"<strong>\1</strong>", part)
        out.append(part)
    return "".join(out)


def anchor(title):
    return re.sub(r"[^a-z0-9]+", "-", title.lower()).strip("-")


def convert(lines):
    body = []
    paragraph = []
    i = 0

    def flush():
        if paragraph:
            body.append("<p>%s</p>" % inline(" ".join(paragraph)))
            paragraph.clear()

    while i < len(lines):
        line = lines[i].rstrip("\n")
        if not line.strip():
            flush()
            i += 1
        elif line.startswith("#"):
            flush()
            level = len(line) - len(line.lstrip("#"))
            title = line[level:].strip()
            body.append('<h%d id="%s">%s</h%d>' % (level, anchor(title), inline(title), level))
            i += 1
        elif line.startswith("    "):
            flush()
            code = []
            while i < len(lines) and (lines[i].startswith("    ") or not lines[i].strip()):
                code.append(lines[i].rstrip("\n")[4:])
                i += 1
            while code and not code[-1].strip():
                code.pop()
            body.append("<pre>%s</pre>" % html.escape("\n".join(code)))
        elif line.startswith("|"):
            flush()
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                cells = [c.strip() for c in lines[i].strip().strip("|").split("|")]
                if not all(re.fullmatch(r":?-+:?", c) for c in cells if c):
                    rows.append(cells)
                elif not any(cells):
                    pass
                i += 1
            out = ["<table>"]
            for number, cells in enumerate(rows):
                tag = "th" if number == 0 else "td"
                if number == 0 and not any(cells):
                    continue
                out.append("<tr>%s</tr>" % "".join("<%s>%s</%s>" % (tag, inline(c), tag)
                                                     for c in cells))
            out.append("</table>")
            body.append("\n".join(out))
        elif re.match(r"[-*] ", line):
            flush()
            items = []
            while i < len(lines) and (re.match(r"[-*] ", lines[i]) or
                                      (lines[i].startswith("  ") and items)):
                if re.match(r"[-*] ", lines[i]):
                    items.append(lines[i][2:].strip())
                else:
                    items[-1] += " " + lines[i].strip()
                i += 1
            body.append("<ul>%s</ul>" % "".join("<li>%s</li>" % inline(t) for t in items))
        else:
            paragraph.append(line.strip())
            i += 1
    flush()
    return body


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        lines = f.readlines()
    title = lines[0].lstrip("#").strip() if lines else "Quavrel"
    page = ["<!DOCTYPE html>", '<html lang="en">', "<head>", '<meta charset="utf-8">',
            "<title>%s</title>" % html.escape(title),
            "<style>body { font-family: sans-serif; max-width: 50em; margin: 2em auto; "
            "line-height: 1.4 } pre { background: #eee; padding: 0.5em } "
            "td, th { border: 1px solid #ccc; padding: 0.2em 0.5em; text-align: left } "
            "table { border-collapse: collapse } img { max-width: 100% }</style>",
            "</head>", "<body>"]
    page += convert(lines)
    page += ["</body>", "</html>", ""]
    with open(target, "w", encoding="utf-8") as f:
        f.write("\n".join(page))


if __name__ == "__main__":
    main()
