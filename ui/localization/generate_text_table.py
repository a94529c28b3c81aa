#!/usr/bin/env python3
"""Turns text_table.txt (UTF-8) into the rows of the program's text table.

Usage: generate_text_table.py SOURCE OUTPUT

Every text is encoded in Windows code page 1252 and written as a C++ string literal whose
bytes outside printable ASCII are octal escapes, so the compiler's source and execution
character sets play no part. The run stops with a message naming the entry when an entry
lacks a language, holds a character that code page 1252 cannot represent, or when a
translation's placeholders or line breaks differ from the English text.
"""

import re
import sys

LANGUAGES = ("CA", "EN", "ES", "FR")
ESCAPES = {"n": "\n", "r": "\r", '"': '"', "\\": "\\", "0": "\0"}
PLACEHOLDER = re.compile(r"%[-+ #0]*[0-9]*(?:\.[0-9]+)?[a-zA-Z%]")
NAME = re.compile(r"^[A-Z][A-Za-z0-9]*$")
# Entries after this line are texts of the menu and dialog templates only: they go into the
# resource script (generate_resource_script.py), not into the program's table.
RESOURCE_SECTION = "resource texts:"


class TableError(Exception):
    pass


def unquote(text, where):
    """Joins the quoted strings of `text` and resolves their escapes."""
    result = []
    position = 0
    while position < len(text):
        if text[position] in " \t":
            position += 1
            continue
        if text[position] != '"':
            raise TableError(f"{where}: text outside quotes: {text[position:]!r}")
        position += 1
        while True:
            if position >= len(text):
                raise TableError(f"{where}: unterminated string")
            character = text[position]
            if character == '"':
                position += 1
                break
            if character == "\\":
                escape = text[position + 1 : position + 2]
                if escape not in ESCAPES:
                    raise TableError(f"{where}: unknown escape \\{escape}")
                result.append(ESCAPES[escape])
                position += 2
                continue
            result.append(character)
            position += 1
    return "".join(result)


def parse(lines):
    """Returns a list of (name, {code: text}, line number, resource_only) in file order."""
    entries = []
    current = None
    language = None
    resource_only = False
    for number, raw in enumerate(lines, 1):
        line = raw.rstrip("\n")
        where = f"line {number}"
        stripped = line.strip()
        if not stripped or stripped.startswith("#"):
            language = None
            continue
        if line == RESOURCE_SECTION:
            if resource_only:
                raise TableError(f"{where}: second {RESOURCE_SECTION!r} line")
            resource_only = True
            current = None
            continue
        if stripped.startswith("["):
            match = re.fullmatch(r"\[([A-Za-z0-9]+)\]", stripped)
            if not match or not NAME.match(match.group(1)):
                raise TableError(f"{where}: bad entry name {stripped!r}")
            current = (match.group(1), {}, number, resource_only)
            entries.append(current)
            language = None
            continue
        if current is None:
            raise TableError(f"{where}: text before the first entry")
        texts = current[1]
        if line[0] in " \t":
            if language is None:
                raise TableError(f"{where}: continuation line without a language line")
            texts[language] += unquote(line, where)
            continue
        word, _, rest = line.partition(" ")
        if word == "dialog":
            dialog = rest.strip()
            if not re.fullmatch(r"[A-Z]+", dialog) or texts:
                raise TableError(f"{where}: bad dialog line")
            for code in LANGUAGES:
                texts[code] = f"DIALOG{dialog}_{code}"
            language = None
            continue
        if word not in LANGUAGES:
            raise TableError(f"{where}: unknown language {word!r}")
        if word in texts:
            raise TableError(f"{where}: {word} given twice in {current[0]}")
        texts[word] = unquote(rest, where)
        language = word
    return entries


def check(entries):
    seen = set()
    for name, texts, number, _ in entries:
        where = f"entry {name} (line {number})"
        if name in seen:
            raise TableError(f"{where}: given twice")
        seen.add(name)
        missing = [code for code in LANGUAGES if code not in texts]
        if missing:
            raise TableError(f"{where}: no text for {', '.join(missing)}")
        english = texts["EN"]
        for code in LANGUAGES:
            text = texts[code]
            if not text:
                raise TableError(f"{where}: empty {code} text")
            try:
                text.encode("cp1252")
            except UnicodeEncodeError as error:
                raise TableError(f"{where}: {code} text has {text[error.start]!r}, not in code page 1252")
            if PLACEHOLDER.findall(text) != PLACEHOLDER.findall(english):
                raise TableError(f"{where}: {code} placeholders differ from English")
            for mark in ("\n", "\0"):
                if text.count(mark) != english.count(mark):
                    raise TableError(f"{where}: {code} has a different number of {mark!r} than English")


def literal(text):
    out = ['"']
    for byte in text.encode("cp1252"):
        if byte == 0x22:
            out.append('\\"')
        elif byte == 0x5C:
            out.append("\\\\")
        elif 0x20 <= byte < 0x7F:
            out.append(chr(byte))
        else:
            out.append(f"\\{byte:03o}")
    out.append('"')
    return "".join(out)


def main():
    if len(sys.argv) != 3:
        print(__doc__.splitlines()[2], file=sys.stderr)
        return 2
    source, output = sys.argv[1], sys.argv[2]
    try:
        with open(source, encoding="utf-8") as handle:
            entries = parse(handle.readlines())
        check(entries)
    except (TableError, UnicodeDecodeError) as error:
        print(f"{source}: {error}", file=sys.stderr)
        return 1
    rows = ["// Generated from text_table.txt by generate_text_table.py; edit the source instead.\n"]
    for name, texts, _, resource_only in entries:
        if resource_only:
            continue
        rows.append(f"{{TextId::{name}, \"{name}\",\n {{")
        rows.append(",\n  ".join(literal(texts[code]) for code in LANGUAGES))
        rows.append("}},\n")
    with open(output, "w", encoding="ascii", newline="\n") as handle:
        handle.write("".join(rows))
    return 0


if __name__ == "__main__":
    sys.exit(main())
