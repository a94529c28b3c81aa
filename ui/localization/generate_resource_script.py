#!/usr/bin/env python3
"""Writes the menus and dialog templates of a program's resource script in every language.

Usage: generate_resource_script.py --table TEXT_TABLE --ids HEADER [--ids HEADER...]
                                   [--all-dialogs] --output OUTPUT LAYOUT...

A layout describes one menu or one dialog once: its controls, their ids (names from the
headers) and places, and the text table entries of their texts. The script writes it four
times, once per language, with the texts of text_table.txt in code page 1252, named "DIALOG"
+ name + "_" + code for a dialog and holding one popup per language for a menu.

Dialog layout:
    dialog ENTRY WIDTH HEIGHT      ENTRY is the table's "dialog" entry that names the template
    style FLAG|FLAG...             the dialog's window style
    caption TEXT
    KIND TEXT ID X Y WIDTH HEIGHT [FLAG|FLAG...]
KIND is a resource-script control (LTEXT, CTEXT, GROUPBOX, AUTOCHECKBOX, AUTORADIOBUTTON,
PUSHBUTTON, DEFPUSHBUTTON, EDITTEXT, LISTBOX, COMBOBOX) or CONTROL:CLASS for any window class;
TEXT a table entry or "-"; ID a name from the headers or "-" for a label nobody addresses.
A flag written ~FLAG removes a style the control has by default.

Menu layout:
    menu NAME
    item ID TEXT
    separator

The run stops with a message naming the layout line when a text or id is unknown, an id is
used twice in a dialog, a control leaves its dialog or overlaps another (group boxes and
hidden controls aside), or (with --all-dialogs) a dialog of the
table has no layout or a text of the table's resource section is used by none.
"""

import argparse
import os
import re
import sys

from generate_text_table import LANGUAGES, TableError, check, parse

CONTROL_KEYWORDS = {"LTEXT", "CTEXT", "RTEXT", "GROUPBOX", "AUTOCHECKBOX", "AUTORADIOBUTTON", "PUSHBUTTON",
                    "DEFPUSHBUTTON"}
TEXTLESS_KEYWORDS = {"EDITTEXT", "LISTBOX", "COMBOBOX"}
IDC_STATIC = -1
ENUMERATOR = re.compile(r"\b(k[A-Z]\w*)\s*=\s*(\w+)")


def read_ids(headers):
    """The enumerators `kName = value` of the headers, values resolved through other names."""
    raw = {}
    for header in headers:
        with open(header, encoding="utf-8") as handle:
            for name, value in ENUMERATOR.findall(handle.read()):
                raw[name] = value
    ids = {}
    for name in raw:
        value, seen = raw[name], {name}
        while not value.isdigit():
            if value not in raw or value in seen:
                raise TableError(f"id {name} has no numeric value")
            seen.add(value)
            value = raw[value]
        ids[name] = int(value)
    return ids


def is_dialog_entry(texts):
    """Whether a table entry names a dialog template (its "dialog" line)."""
    return re.fullmatch(r"DIALOG[A-Z]+_EN", texts.get("EN", "")) is not None


def access_key(text):
    """The letter after a single "&" (the control's Alt key), upper case; None without one."""
    match = re.search(r"(?<!&)(?:&&)*&([^&])", text)
    return match.group(1).upper() if match else None


def rc_string(text):
    out = ['"']
    for character in text:
        if character == '"':
            out.append('""')
        elif character == "\\":
            out.append("\\\\")
        elif character == "\n":
            out.append("\\n")
        elif character == "\r":
            out.append("\\r")
        elif character == "\t":
            out.append("\\t")
        else:
            out.append(character)
    out.append('"')
    return "".join(out)


def rc_style(flags):
    return " | ".join(f"NOT {flag[1:]}" if flag.startswith("~") else flag for flag in flags)


class Layout:
    def __init__(self, path, texts, ids):
        self.path = path
        self.texts = texts
        self.ids = ids
        self.kind = None
        self.name = None
        self.size = None
        self.style = []
        self.caption = None
        self.items = []
        self.used_texts = set()

    def error(self, number, message):
        return TableError(f"{self.path}:{number}: {message}")

    def text(self, number, name):
        if name == "-":
            return None
        if name not in self.texts:
            raise self.error(number, f"no text {name!r} in the table")
        self.used_texts.add(name)
        return name

    def control_id(self, number, name):
        if name == "-":
            return IDC_STATIC
        if name not in self.ids:
            raise self.error(number, f"no id {name!r} in the headers")
        return self.ids[name]

    def read(self):
        with open(self.path, encoding="utf-8") as handle:
            lines = handle.readlines()
        for number, line in enumerate(lines, 1):
            words = line.split("#", 1)[0].split()
            if not words:
                continue
            self.read_line(number, words)
        if self.kind is None:
            raise self.error(1, "neither a dialog nor a menu")
        if self.kind == "dialog":
            self.check_dialog()
        return self

    def read_line(self, number, words):
        head = words[0]
        if self.kind is None:
            if head == "dialog" and len(words) == 4:
                self.kind, self.name = "dialog", words[1]
                self.size = (int(words[2]), int(words[3]))
            elif head == "menu" and len(words) == 2:
                self.kind, self.name = "menu", words[1]
            else:
                raise self.error(number, "a layout starts with a dialog or menu line")
        elif self.kind == "menu":
            if head == "separator" and len(words) == 1:
                self.items.append(None)
            elif head == "item" and len(words) == 3:
                self.items.append((self.control_id(number, words[1]), self.text(number, words[2])))
            else:
                raise self.error(number, f"bad menu line {' '.join(words)!r}")
        elif head == "style" and len(words) == 2:
            self.style = words[1].split("|")
        elif head == "caption" and len(words) == 2:
            self.caption = self.text(number, words[1])
        elif head in CONTROL_KEYWORDS | TEXTLESS_KEYWORDS or head.startswith("CONTROL:"):
            if len(words) not in (7, 8):
                raise self.error(number, "a control is KIND TEXT ID X Y WIDTH HEIGHT [STYLE]")
            text = self.text(number, words[1])
            if head in TEXTLESS_KEYWORDS and text is not None:
                raise self.error(number, f"{head} takes no text")
            place = tuple(int(value) for value in words[3:7])
            flags = words[7].split("|") if len(words) == 8 else []
            self.items.append((number, head, text, self.control_id(number, words[2]), place, flags))
        else:
            raise self.error(number, f"bad dialog line {' '.join(words)!r}")

    def check_dialog(self):
        if not is_dialog_entry(self.texts.get(self.name, {})):
            raise self.error(1, f"{self.name!r} is not a dialog entry of the table")
        seen = {}
        width, height = self.size
        for number, _, _, control_id, (x, y, w, h), _ in self.items:
            if control_id != IDC_STATIC:
                if control_id in seen:
                    raise self.error(number, f"id {control_id} also on line {seen[control_id]}")
                seen[control_id] = number
            if x < 0 or y < 0 or w <= 0 or h <= 0 or x + w > width or y + h > height:
                raise self.error(number, "the control leaves the dialog")
        # Group boxes frame other controls and hidden controls are never seen; any other two
        # controls that share a point hide part of each other. A combo box's height is that of
        # its open list; closed, it takes one line.
        visible = [(number, (x, y, w, min(h, 14) if kind == "COMBOBOX" else h))
                   for number, kind, _, _, (x, y, w, h), flags in self.items
                   if kind != "GROUPBOX" and "~WS_VISIBLE" not in flags]
        for index, (number, (x, y, w, h)) in enumerate(visible):
            for other, (ox, oy, ow, oh) in visible[:index]:
                if x < ox + ow and ox < x + w and y < oy + oh and oy < y + h:
                    raise self.error(number, f"the control overlaps the one on line {other}")
        self.check_access_keys()

    def check_access_keys(self):
        """In every language each Alt key of a dialog reaches one control only."""
        for code in LANGUAGES:
            seen = {}
            for number, _, text, _, _, _ in self.items:
                key = access_key(self.texts[text][code]) if text is not None else None
                if key is None:
                    continue
                if key in seen:
                    raise self.error(number, f"access key {key!r} in {code} also on line {seen[key]}")
                seen[key] = number

    def script(self):
        """The resource-script lines of the layout in every language."""
        if self.kind == "menu":
            lines = [f"{self.name} MENU", "BEGIN"]
            for code in LANGUAGES:
                lines += self.popup_script(code)
            return lines + ["END", ""]
        return [line for code in LANGUAGES for line in self.dialog_script(code)]

    def popup_script(self, code):
        lines = [f"    POPUP {rc_string(code)}", "    BEGIN"]
        for item in self.items:
            if item is None:
                lines.append("        MENUITEM SEPARATOR")
            else:
                lines.append(f"        MENUITEM {rc_string(self.texts[item[1]][code])}, {item[0]}")
        return lines + ["    END"]

    def dialog_script(self, code):
        def text(name):
            return rc_string(self.texts[name][code] if name else "")

        width, height = self.size
        lines = [f"{self.texts[self.name][code]} DIALOGEX 0, 0, {width}, {height}",
                 f"STYLE DS_SETFONT | {rc_style(self.style)}"]
        if self.caption:
            lines.append(f"CAPTION {text(self.caption)}")
        lines += ['FONT 8, "MS Sans Serif"', "BEGIN"]
        for _, kind, name, control_id, (x, y, w, h), flags in self.items:
            place = f"{x}, {y}, {w}, {h}"
            style = f", {rc_style(flags)}" if flags else ""
            if kind.startswith("CONTROL:"):
                style = rc_style(["WS_CHILD", "WS_VISIBLE"] + flags)
                lines.append(f'    CONTROL {text(name)}, {control_id}, "{kind[8:]}", {style}, {place}')
            elif kind in TEXTLESS_KEYWORDS:
                lines.append(f"    {kind} {control_id}, {place}{style}")
            else:
                lines.append(f"    {kind} {text(name)}, {control_id}, {place}{style}")
        lines += ["END", ""]
        return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--table", required=True)
    parser.add_argument("--ids", action="append", default=[])
    parser.add_argument("--all-dialogs", action="store_true")
    parser.add_argument("--output", required=True)
    parser.add_argument("layouts", nargs="+")
    arguments = parser.parse_args()
    try:
        with open(arguments.table, encoding="utf-8") as handle:
            entries = parse(handle.readlines())
        check(entries)
        texts = {name: entry_texts for name, entry_texts, _, _ in entries}
        ids = read_ids(arguments.ids)
        layouts = [Layout(path, texts, ids).read() for path in sorted(arguments.layouts)]
        names = [layout.name for layout in layouts]
        for name in set(names):
            if names.count(name) > 1:
                raise TableError(f"{name} is laid out more than once")
        if arguments.all_dialogs:
            check_coverage(entries, layouts)
    except (TableError, UnicodeDecodeError, ValueError, OSError) as error:
        print(f"generate_resource_script.py: {error}", file=sys.stderr)
        return 1
    lines = ["// Generated by generate_resource_script.py from the layouts and text_table.txt; edit those instead.",
             "#pragma code_page(1252)", "#include <windows.h>", "#include <commctrl.h>", ""]
    for layout in layouts:
        lines += layout.script()
    os.makedirs(os.path.dirname(os.path.abspath(arguments.output)), exist_ok=True)
    with open(arguments.output, "w", encoding="cp1252", newline="\n") as handle:
        handle.write("\n".join(lines))
    return 0


def check_coverage(entries, layouts):
    laid_out = {layout.name for layout in layouts if layout.kind == "dialog"}
    used = set().union(*(layout.used_texts for layout in layouts))
    for name, texts, number, resource_only in entries:
        if is_dialog_entry(texts) and name not in laid_out:
            raise TableError(f"dialog entry {name} (line {number}) has no layout")
        if resource_only and name not in used:
            raise TableError(f"resource text {name} (line {number}) is used by no layout")


if __name__ == "__main__":
    sys.exit(main())
