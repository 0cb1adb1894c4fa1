#!/usr/bin/env python3
"""Checks of the French user guide, docs/guide.html, as a reader sees it.

guide_test.py messages
    Every text the program can show is told in the guide: the texts of the program's text
    headers, the captions of its window layouts and menu, the messages it throws as errors, the
    labels the conversion writes, and the MSI package's refusal. A text is cut into the parts
    around its "%s", "%d" or "%x" placeholders (where the code joins a value to a literal, as in
    "ligne " + number, the value stands for one) and its tabs and line breaks, without the "&"
    that marks a button's access key; each part must stand in the guide as whole words, except
    where a placeholder glues it to the value.
    NEVER_SHOWN lists the texts left out, each with the reason no user can see it.

guide_test.py typography
    French typography in the guide's own words: no ordinary (breaking) space before ":", ";",
    "!", "?" or "»", nor after "«", and no such sign glued to a word. Quoted texts of the program
    (samp) and of the command line (code, pre, kbd, var) keep their own characters and are not
    checked.

guide_test.py commands
    The commands an administrator copies do no harm where they run: every msiexec line keeps the
    PC from restarting (/norestart or REBOOT=ReallySuppress), and every pnputil command says for
    which Windows it is written, since its syntax changed in Windows 10 version 1607 (a "rem"
    line above it in a command block, or the sentence around it). Every web address written in
    the guide is a link to that address.
"""

import glob
import html.parser
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
GUIDE = os.path.join(ROOT, "docs", "guide.html")
PROGRAM_FOLDERS = ["decoding", "device", "handoff", "shell", "win32", "resources"]

# Texts the program holds but never shows, and why.
NEVER_SHOWN = {
    "Les informations de version de sont pas inclues":
        "the about box drops this error and shows its label \"Version\" alone",
    "Date du programme illisible":
        "the about box drops this error and keeps its date label as it was",
    "Mois invalide : %s":
        "only the about box's date can raise it, and the about box drops it",
}

LITERALS = r'((?:"(?:[^"\\\n]|\\.)*"\s*)+)'
ESCAPES = {"t": "\t", "r": "\r", "n": "\n", '"': '"', "\\": "\\", "'": "'"}


def unescaped(text):
    """A literal's text with its escapes (\\t...) resolved, as C++ and the resource compiler
    read it."""
    return re.sub(r"\\(.)", lambda match: ESCAPES.get(match.group(1), match.group(0)), text)


def joined_literals(source):
    """The text of adjacent C++ string literals, escapes resolved."""
    return unescaped("".join(re.findall(r'"((?:[^"\\\n]|\\.)*)"', source)))


def expression_text(code):
    """The text that a C++ expression such as "ligne " + number + " : " builds, a "%s" where a
    value is joined to its literals."""
    pieces = re.split(LITERALS, code)
    text = "%s" if "+" in pieces[0] else ""
    for literals, between in zip(pieces[1::2], pieces[2::2]):
        text += joined_literals(literals) + ("%s" if "+" in between else "")
    return text


def program_files(pattern):
    for folder in PROGRAM_FOLDERS:
        yield from sorted(glob.glob(os.path.join(ROOT, folder, "**", pattern), recursive=True))


def read(path):
    with open(path, encoding="utf-8") as file:
        return file.read()


def shown_texts():
    """Every text of the program that can reach a user, with where it comes from."""
    for path in program_files("*_texts.h"):
        for literals in re.findall(r"inline\s+constexpr[^=;]*=\s*" + LITERALS + ";", read(path)):
            yield joined_literals(literals), path
    for path in program_files("*.layout"):
        for line in read(path).splitlines():
            words = line.split()
            if words and words[0] not in ("#", "icon"):
                yield from ((text, path) for text in re.findall(r'"([^"]*)"', line))
    for path in program_files("*.rc"):
        for text in re.findall(r'^\s*(?:POPUP|MENUITEM)\s+"([^"]*)"', read(path), re.MULTILINE):
            yield unescaped(text), path
    for path in program_files("*.cpp"):
        for thrown in re.findall(r'\bthrow\s+[\w:]+\((\s*"[^;]*);', read(path)):
            yield expression_text(thrown), path
    labels = os.path.join(ROOT, "decoding", "record_texts.cpp")
    for line in read(labels).splitlines():
        if '"' in line and not line.startswith("#include"):
            yield expression_text(line), labels
    package = os.path.join(ROOT, "packaging", "talvorne.wxs")
    yield from ((text, package) for text in re.findall(r'ErrorMessage="([^"]*)"', read(package)))


class GuideText(html.parser.HTMLParser):
    """The text of the guide's body as a browser shows it, and its prose alone: the quoted
    texts of the program and of the command line each stand as one object character there."""

    QUOTED = {"samp", "code", "pre", "kbd", "var"}
    HIDDEN = {"head", "style", "script"}

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.text, self.prose, self.prose_lines = [], [], []
        self.quoted = self.hidden = 0

    def handle_starttag(self, tag, attrs):
        if tag in self.HIDDEN:
            self.hidden += 1
        elif tag in self.QUOTED:
            if self.quoted == 0:
                self.add_prose("\ufffc")
            self.quoted += 1

    def handle_endtag(self, tag):
        if tag in self.HIDDEN:
            self.hidden -= 1
        elif tag in self.QUOTED:
            self.quoted -= 1

    def handle_data(self, data):
        if self.hidden:
            return
        self.text.append(data)
        if not self.quoted:
            self.add_prose(data)

    def add_prose(self, data):
        self.prose_lines.append((sum(map(len, self.prose)), self.getpos()[0]))
        self.prose.append(data)

    def line_of(self, offset):
        return max(line for start, line in self.prose_lines if start <= offset)


def parse_guide():
    guide = GuideText()
    guide.feed(read(GUIDE))
    guide.close()
    return guide


def collapsed(text):
    """Runs of breaking white space as one space, as the browser lays text out."""
    return re.sub(r"[ \t\r\n]+", " ", text)


def parts_of(text):
    """Each part of a text, and whether a placeholder stands before it and after it."""
    pieces = re.split(r"(%[sdx]|[\t\r\n])", text.replace("&", ""))
    placeholder = [False] + [re.fullmatch(r"%[sdx]", cut) is not None for cut in pieces[1::2]]
    for index, piece in enumerate(pieces[::2]):
        piece = piece.strip(" ")
        if piece and (re.search(r"\w", piece) or piece == text):
            yield piece, placeholder[index], index + 1 < len(placeholder) and placeholder[index + 1]


def told(part, glued_before, glued_after, guide_text):
    before = "" if glued_before or not re.match(r"\w", part) else r"(?<!\w)"
    after = "" if glued_after or not re.search(r"\w$", part) else r"(?!\w)"
    return re.search(before + re.escape(part) + after, guide_text) is not None


def check_messages():
    guide_text = collapsed("".join(parse_guide().text))
    texts = list(shown_texts())
    failures = [f'the never-shown text "{text}" is no longer in the program'
                for text in NEVER_SHOWN if text not in {found for found, _ in texts}]
    for text, path in texts:
        if text in NEVER_SHOWN:
            continue
        failures += [f'not in the guide: "{part}" (of "{text}", {os.path.relpath(path, ROOT)})'
                     for part, *glued in parts_of(text) if not told(part, *glued, guide_text)]
    report(failures, f"The guide tells all {len(texts) - len(NEVER_SHOWN)} texts the program can "
           f"show; left out as never shown: " +
           "; ".join(f'"{text}" ({why})' for text, why in NEVER_SHOWN.items()))


def check_typography():
    guide = parse_guide()
    prose = "".join(guide.prose)
    failures = []
    for match in re.finditer(r"(?<=[ \t\r\n\w])[:;!?»]|«(?=[ \t\r\n\w])", prose):
        sign = match.group()
        neighbour = prose[match.start() - 1] if sign != "«" else prose[match.end()]
        fault = "an ordinary space" if neighbour in " \t\r\n" else "no space"
        place = "after" if sign == "«" else "before"
        context = collapsed(prose[max(0, match.start() - 30):match.end() + 30])
        failures.append(f'line {guide.line_of(match.start())}: {fault} {place} "{sign}": '
                        f'"{context}"')
    report(failures, "The guide's own text keeps French typography: a no-break space before "
           "\":\", \";\", \"!\", \"?\" and \"»\", and after \"«\"")


class GuideCommands(html.parser.HTMLParser):
    """The guide's command blocks and inline commands, each with the text of the paragraph,
    list item, cell or definition it stands in, and the web addresses written outside a link."""

    BLOCKS = {"p", "li", "td", "dd", "pre"}
    ADDRESS = re.compile(r"(?:https?://)?(?:[\w-]+\.)+(?:ie|com|org|net|fr|io)(?:/[^\s<>\"»)]*)?")

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.blocks, self.commands, self.unlinked = [], [], []
        self.in_code = self.in_link = 0
        self.link_target = ""

    def handle_starttag(self, tag, attrs):
        if tag in self.BLOCKS:
            self.blocks.append([tag, ""])
            if tag == "pre":
                self.commands.append(("pre", self.blocks[-1], self.getpos()[0]))
        elif tag == "code" and self.blocks:
            self.in_code += 1
            self.commands.append(("code", self.blocks[-1], self.getpos()[0], []))
        elif tag == "a":
            self.in_link += 1
            self.link_target = dict(attrs).get("href", "")

    def handle_endtag(self, tag):
        if tag in self.BLOCKS and self.blocks:
            text = self.blocks.pop()[1]
            if self.blocks:
                self.blocks[-1][1] += text
        elif tag == "code" and self.in_code:
            self.in_code -= 1
        elif tag == "a" and self.in_link:
            self.in_link -= 1

    def handle_data(self, data):
        if not self.blocks:
            return
        self.blocks[-1][1] += data
        if self.in_code:
            self.commands[-1][3].append(data)
        for address in self.ADDRESS.findall(data):
            bare = re.sub(r"^https?://", "", address).rstrip("/.")
            if not self.in_link or bare not in self.link_target:
                self.unlinked.append((self.getpos()[0], address))


def is_pnputil(command):
    """A pnputil command, not the tool's bare name."""
    return re.search(r"pnputil(?:\.exe)?\s+[-/]", command) is not None


def check_commands():
    guide = GuideCommands()
    guide.feed(read(GUIDE))
    guide.close()
    names_windows = re.compile(r"Windows(?:\s|\xa0)+(?:7|8|10|11)")
    failures, lines = [], []
    for kind, block, line, *inline in guide.commands:
        if kind == "pre":
            lines += [(line, block[1])]
        else:
            lines += [(line, "".join(inline[0]), block[1])]
    for line, *texts in lines:
        if len(texts) == 2:  # inline: the sentence around it names the Windows
            command, context = texts
            if is_pnputil(command) and not names_windows.search(context):
                failures.append(f'line {line}: "{command}" does not say for which Windows it is')
            commands = [command]
        else:
            commands, said = [], False
            for text in texts[0].splitlines():
                if text.lower().startswith("rem "):
                    said = names_windows.search(text) is not None
                elif is_pnputil(text) and not said:
                    failures.append(f'line {line}: "{text}" has no "rem" line naming its Windows')
                commands.append(text)
        for command in commands:
            # "msiexec /x" alone names the option, and is no command to copy.
            if (re.search(r"msiexec\s+/\w+\s+\S", command) and
                    not re.search(r"/norestart|REBOOT=ReallySuppress", command)):
                failures.append(f'line {line}: "{command}" may restart the PC')
    failures += [f'line {line}: "{address}" is not a link to itself' for line, address in guide.unlinked]
    report(failures, "Every msiexec line keeps the PC from restarting, every pnputil command names "
           "its Windows, every web address is a link")


def report(failures, success):
    for failure in failures:
        print("FAILED:", failure)
    if failures:
        sys.exit(1)
    print(success)


if __name__ == "__main__":
    checks = {"messages": check_messages, "typography": check_typography,
              "commands": check_commands}
    if len(sys.argv) != 2 or sys.argv[1] not in checks:
        sys.exit(f"usage: {sys.argv[0]} messages|typography|commands")
    checks[sys.argv[1]]()
