#!/usr/bin/env python3
"""Writes the sources of the program's HTML help into a folder, ready for chmcmd.

Usage: build-help.py SOURCE_ROOT OUT_DIR

The topics come from help/topics.txt and the pages of help/pages/; the Keyboard topic is made from the
default key map's own table (keys/DefaultKeyMap.cpp and the key names of keys/KeyCodes.cpp), so that it
lists exactly the keys the program starts with. Besides the project (ozm.hhp with its [MAP] and [ALIAS]
sections), contexts.txt lists every context number the help file answers, one a line.
"""
import html
import os
import re
import sys

TITLE = "Vok Text Editor Help"


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def parse_topics(text):
    """Blocks separated by blank lines: 'CONTEXTS | Title' then the body (HTML). CONTEXTS is a list of
    numbers and ranges (a-b) separated by commas."""
    topics = []
    for block in re.split(r"\n\s*\n", text.strip()):
        lines = [l for l in block.splitlines() if not l.startswith("#")]
        if not lines:
            continue
        head, _, title = lines[0].partition("|")
        contexts = []
        for part in head.split(","):
            part = part.strip()
            if "-" in part:
                a, b = part.split("-")
                contexts.extend(range(int(a), int(b) + 1))
            elif part:
                contexts.append(int(part))
        body = "\n".join(lines[1:])
        topics.append((contexts, title.strip(), body))
    return topics


def page(title, body):
    return ("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
            f"<title>{html.escape(title)}</title>"
            "<style>body{font-family:Arial,sans-serif;font-size:10pt} td,th{font-size:10pt;padding:1px 8px}"
            "th{text-align:left}</style></head><body>\n"
            f"<h2>{html.escape(title)}</h2>\n{body}\n"
            "<p><a href=\"contents.htm\">Contents</a></p></body></html>\n")


def paragraphs(body):
    out = []
    for para in re.split(r"\n(?=\S)", body):
        para = " ".join(para.split())
        if para.startswith("<"):
            out.append(para)
        elif para:
            out.append(f"<p>{para}</p>")
    return "\n".join(out)


# ---- The Keyboard topic, from the key map's table. -------------------------------------------------------

def key_names(root):
    """The displayed names of the virtual keys, from the key-name table of keys/KeyCodes.cpp."""
    codes = {}
    for m in re.finditer(r"(kVk\w+)\s*=\s*(0x[0-9A-Fa-f]+|\d+)", read(os.path.join(root, "keys/KeyCodes.h"))):
        codes[m.group(1)] = int(m.group(2), 0)
    names = {}
    src = read(os.path.join(root, "keys/KeyCodes.cpp"))
    for m in re.finditer(r"\{\s*\"([^\"]+)\"\s*,\s*(kVk\w+|0x[0-9A-Fa-f]+|\d+)\s*\}", src):
        value = m.group(2)
        code = codes.get(value) if value.startswith("kVk") else int(value, 0)
        if code is not None:
            names.setdefault(code, m.group(1))
    return codes, names


def keyboard_rows(root):
    codes, names = key_names(root)
    src = read(os.path.join(root, "keys/DefaultKeyMap.cpp"))
    tables = {}
    for m in re.finditer(r"kDefault(\w+)Table\[\w*\]\s*=\s*\{(.*?)\n\};", src, re.S):
        tables[m.group(1)] = m.group(2)
    pair = re.compile(r"\{\s*(?:(Plain|Ctrl|Shift|CtrlShift|Alt|AltShift)\()?\s*"
                      r"(kVk\w+(?:\s*\+\s*\d+)?|'.')\s*\)?\s*,\s*"
                      r"(Mark\(\s*cm(\w+?)0\s*,\s*(\d+)\s*\)|kPrefix1(?:\s*\+\s*(\d+))?|cm\w+)\s*\}")
    held = {None: "", "Plain": "", "Ctrl": "Ctrl+", "Shift": "Shift+", "CtrlShift": "Ctrl+Shift+",
            "Alt": "Alt+", "AltShift": "Alt+Shift+"}

    def key_text(mod, key):
        if key.startswith("'"):
            name = key[1]
        else:
            base, _, plus = key.partition("+")
            code = codes[base.strip()] + int(plus or 0)
            name = names.get(code) or chr(code)
        return held[mod] + name

    rows = {}
    prefix_keys = {}
    for table in ("Main", "Prefix1", "Prefix2", "Prefix3"):
        rows[table] = []
        for m in pair.finditer(tables.get(table, "")):
            key = key_text(m.group(1), m.group(2))
            target = m.group(3)
            if target.startswith("kPrefix1"):
                prefix_keys[f"Prefix{1 + int(m.group(6) or 0)}"] = key
                continue
            if target.startswith("Mark"):
                command = f"{m.group(4)}{m.group(5)}"
            else:
                command = target[2:]
            rows[table].append((key, command))
    out = []
    for table in ("Main", "Prefix1", "Prefix2", "Prefix3"):
        lead = "" if table == "Main" else prefix_keys.get(table, "?") + " "
        out.extend((lead + key, command) for key, command in rows[table])
    return out


def keyboard_body(root):
    rows = keyboard_rows(root)
    table = "\n".join(f"<tr><td>{html.escape(k)}</td><td>{html.escape(c)}</td></tr>" for k, c in rows)
    return (
        "<p>These are the keys of the default key map, the one the editor uses until you load a key mapping "
        "file (Options, Key Mapping). A key followed by a blank and a second key is a two-stroke command: "
        "press the first combination, release it, then press the second key.</p>\n"
        "<p>The commands are named as in Tools, Commands and in the macro language (see "
        "<a href=\"macros.htm\">Macros</a>). Besides these keys, the menus have their own shortcut keys, "
        "shown beside each menu item, and Shift+F1 turns on help mode.</p>\n"
        f"<table><tr><th>Key</th><th>Command</th></tr>\n{table}\n</table>\n"
        f"<p>{len(rows)} key bindings.</p>")


# ---- The project. -----------------------------------------------------------------------------------------

def main():
    root, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    here = os.path.join(root, "help")
    topics = parse_topics(read(os.path.join(here, "topics.txt")))
    files = []
    contexts = {}
    toc = []

    def write(name, title, body):
        with open(os.path.join(out, name), "w", encoding="cp1252", errors="replace", newline="\r\n") as f:
            f.write(page(title, body))
        files.append(name)

    for ctxs, title, body in topics:
        if ctxs[0] == 902:
            body = body + "\n" + keyboard_body(root)
        # chmcmd keeps one alias per page: every further context of a topic gets a copy of the page.
        for c in ctxs:
            if c in contexts:
                sys.exit(f"context {c} has two topics")
            contexts[c] = f"t{c}.htm"
            write(contexts[c], title, paragraphs(body))
        toc.append((title, contexts[ctxs[0]]))

    guides = []
    for name in sorted(os.listdir(os.path.join(here, "pages"))):
        text = read(os.path.join(here, "pages", name))
        title, _, body = text.partition("\n")
        write(name, title.strip(), body)
        guides.append((title.strip(), name))

    listing = "\n".join(f"<li><a href=\"{n}\">{html.escape(t)}</a></li>" for t, n in guides)
    commands = "\n".join(f"<li><a href=\"{n}\">{html.escape(t)}</a></li>" for t, n in toc)
    write("contents.htm", TITLE,
          "<p>Vok Text Editor edits plain text files, several at once, each in a window of its own. "
          "Choose a topic below, press F1 on a highlighted menu item, or press Shift+F1 and click a menu "
          "item or part of the window.</p>\n"
          f"<h3>Guides</h3><ul>{listing}</ul>\n<h3>Menus, commands and dialogs</h3><ul>{commands}</ul>")

    def sitemap(entries):
        items = "\n".join("<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"%s\">"
                          "<param name=\"Local\" value=\"%s\"></OBJECT>" % (html.escape(t), n) for t, n in entries)
        return ("<HTML><HEAD></HEAD><BODY><OBJECT type=\"text/site properties\"></OBJECT>\n"
                f"<UL>\n{items}\n</UL></BODY></HTML>\n")

    with open(os.path.join(out, "ozm.hhc"), "w", encoding="cp1252", errors="replace") as f:
        f.write(sitemap([("Contents", "contents.htm")] + guides + toc))
    with open(os.path.join(out, "ozm.hhk"), "w", encoding="cp1252", errors="replace") as f:
        f.write(sitemap(sorted(guides + toc, key=lambda e: e[0].lower())))

    lines = ["[OPTIONS]", "Compatibility=1.1 or later", "Compiled file=OZM.CHM", "Contents file=ozm.hhc",
             "Index file=ozm.hhk", "Default topic=contents.htm", "Default Window=main",
             "Language=0x409 English (United States)",
             f"Title={TITLE}", "", "[WINDOWS]",
             # The compiler takes an empty navigation width or position for a set one of 0: both are given.
             f"main=\"{TITLE}\",\"ozm.hhc\",\"ozm.hhk\",\"contents.htm\",\"contents.htm\",,,,,0x2520,220,0x3006,"
             "[40,40,800,600],,,,,,,0",
             "QuickHlp=\"Quick Help\",,,,,,,,,0x0,,0x0,[120,120,520,420],,,,,,,0",
             "", "[FILES]"] + files
    # chmcmd resolves the aliases against the map read before them.
    lines += ["", "[MAP]"] + [f"#define IDH_{c} {c}" for c in sorted(contexts)]
    lines += ["", "[ALIAS]"] + [f"IDH_{c}={n}" for c, n in sorted(contexts.items())]
    with open(os.path.join(out, "ozm.hhp"), "w", encoding="cp1252", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    with open(os.path.join(out, "contexts.txt"), "w") as f:
        f.write("".join(f"{c}\n" for c in sorted(contexts)))


if __name__ == "__main__":
    main()
