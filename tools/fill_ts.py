#!/usr/bin/python3
"""Update and draft the windows' translation catalogues (zh-TW, zh-HK).

Runs Qt's lupdate over ui/ into ui/translations/qelvar_zh_TW.ts and
qelvar_zh_HK.ts, adds the texts of the Qt-free folders the windows show
(the form's template and lists, the capture window's help box: every string
literal with a Chinese character in CORE_FILES) under the context
qelvar::CoreText, and drafts a translation for every text that has none:
OpenCC's s2twp (zh-TW) or s2hk (zh-HK) conversion, with the reviewed forms
of tools/zh_hant/pinned.tsv and ui_pinned.tsv taking the place of the
terms they pin.

A translation already in a catalogue is kept as it is: review the drafts
this run prints, mend them in the .ts file, and commit it.  A draft that
still holds a character which is nearly always a misreading in these texts
(醜 鬥 幹 臺 隻) or a simplified-only character stops the run.

Needs Debian's qt6-l10n-tools (lupdate) and opencc; the build only runs
lrelease on the committed catalogues.  Run from anywhere:

    /usr/bin/python3 tools/fill_ts.py
"""

import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_terms  # noqa: E402  (OpenCC helpers and the pinned terms)

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LUPDATE = "/usr/lib/qt6/bin/lupdate"
CORE_CONTEXT = "qelvar::CoreText"
CORE_FILES = ["chart/ChartLayout.h", "form/FormLayout.cpp", "form/FormLayout.h", "capture/HelpText.h",
              "capture/HelpText.cpp"]
CATALOGUES = [("zh_TW", "s2twp.json", 0), ("zh_HK", "s2hk.json", 1)]
CJK = re.compile("[\u3400-\u9fff]")
# Line breaks survive OpenCC's line-by-line conversion as private-use characters.
ESCAPES = {"\n": "\ue000", "\r": "\ue001"}


def c_literals(text):
    """The string literals of C++ source `text` (comments skipped, adjacent
    literals joined, escapes decoded)."""
    out, i, n = [], 0, len(text)
    pending = None  # the literal being joined with the ones that follow it
    while i < n:
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif text.startswith("/*", i):
            i = text.find("*/", i) + 2
        elif text[i] == '"':
            j, s = i + 1, []
            while text[j] != '"':
                if text[j] == "\\":
                    s.append({"n": "\n", "r": "\r", "t": "\t"}.get(text[j + 1], text[j + 1]))
                    j += 2
                else:
                    s.append(text[j])
                    j += 1
            pending = (pending or "") + "".join(s)
            i = j + 1
        elif text[i] == "'":
            i = text.find("'", i + 2) + 1  # a character literal ('"' too)
        else:
            if not text[i].isspace() and pending is not None:
                out.append(pending)
                pending = None
            i += 1
    if pending is not None:
        out.append(pending)
    return out


def core_texts():
    texts = []
    for name in CORE_FILES:
        with open(os.path.join(ROOT, name), encoding="utf-8") as f:
            for s in c_literals(f.read()):
                if CJK.search(s) and s not in texts:
                    texts.append(s)
    return texts


def split_pinned(text, pinned):
    """`text` as runs: (run, pinned form or None), longest pinned term first."""
    longest = max(len(k) for k in pinned)
    runs, plain, i = [], "", 0
    while i < len(text):
        for n in range(min(longest, len(text) - i), 0, -1):
            if text[i:i + n] in pinned:
                if plain:
                    runs.append((plain, None))
                    plain = ""
                runs.append((text[i:i + n], pinned[text[i:i + n]]))
                i += n
                break
        else:
            plain += text[i]
            i += 1
    if plain:
        runs.append((plain, None))
    return runs


def draft(sources, config, column, pinned):
    """Drafts for `sources`: OpenCC over the runs no pinned term covers."""
    split = [split_pinned(s, pinned) for s in sources]
    plain = [run for runs in split for run, form in runs if form is None]
    encoded = ["".join(ESCAPES.get(c, c) for c in run) for run in plain]
    converted = iter(gen_terms.convert(encoded, config) if encoded else [])
    decode = {v: k for k, v in ESCAPES.items()}
    drafts = []
    for runs in split:
        parts = []
        for run, form in runs:
            if form is None:
                parts.append("".join(decode.get(c, c) for c in next(converted)))
            else:
                parts.append(form[column])
        drafts.append("".join(parts))
    return drafts


def read_ts(path):
    tree = ET.parse(path)
    return tree


def messages(tree):
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            yield name, message


def add_core_context(tree, texts):
    root = tree.getroot()
    context = next((c for c in root.iter("context") if c.findtext("name") == CORE_CONTEXT), None)
    if context is None:
        context = ET.SubElement(root, "context")
        ET.SubElement(context, "name").text = CORE_CONTEXT
    known = {m.findtext("source") for m in context.iter("message")}
    for text in texts:
        if text not in known:
            message = ET.SubElement(context, "message")
            ET.SubElement(message, "source").text = text
            ET.SubElement(message, "translation", {"type": "unfinished"})
    # Texts the core no longer has are dropped with their translations.
    for message in list(context.iter("message")):
        if message.findtext("source") not in texts:
            context.remove(message)


def write_ts(tree, path):
    ET.indent(tree, space="    ")
    body = ET.tostring(tree.getroot(), encoding="unicode")
    body = body.replace("\r", "&#xd;")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + body + "\n")


def read_pins():
    """pinned.tsv's chart terms and the windows' own words of ui_pinned.tsv.
    A character pinned alone (复, 丑) cuts a word it is part of apart from
    OpenCC's phrase table, so such a word (复制) is pinned whole."""
    pins = gen_terms.read_pinned()
    with open(os.path.join(ROOT, "tools", "zh_hant", "ui_pinned.tsv"), encoding="utf-8") as f:
        for line in f:
            cols = line.rstrip("\n").split("\t")
            if cols[0] and not cols[0].startswith("#"):
                pins[cols[0]] = (cols[1], cols[2] if len(cols) > 2 else cols[1])
    return pins


def main():
    os.chdir(ROOT)
    pinned = read_pins()
    suspect_ok = set("".join(t + h for t, h in pinned.values()))
    simplified_only = set(gen_terms.simplified_only())
    core = core_texts()
    problems = []
    for locale, config, column in CATALOGUES:
        path = "ui/translations/qelvar_%s.ts" % locale
        # lupdate drops the core's texts (it finds them in no tr() call):
        # their reviewed translations are kept aside and put back.
        kept = {}
        if os.path.exists(path):
            kept = {m.findtext("source"): m.findtext("translation")
                    for c, m in messages(read_ts(path))
                    if c == CORE_CONTEXT and m.find("translation").get("type") is None}
        subprocess.run([LUPDATE, "-silent", "-locations", "none", "-no-obsolete",
                        "-source-language", "zh_CN", "-target-language", locale,
                        "-I", ".", "ui", "-ts", path], check=True)
        tree = read_ts(path)
        add_core_context(tree, core)
        for context, message in messages(tree):
            if context == CORE_CONTEXT and kept.get(message.findtext("source")):
                translation = message.find("translation")
                translation.attrib.pop("type", None)
                translation.text = kept[message.findtext("source")]
        todo = [m for _, m in messages(tree)
                if m.find("translation").get("type") in ("unfinished", "vanished", "obsolete")
                or not (m.find("translation").text or "")]
        drafts = draft([m.findtext("source") for m in todo], config, column, pinned)
        for message, text in zip(todo, drafts):
            translation = message.find("translation")
            translation.attrib.pop("type", None)
            translation.text = text
            source = message.findtext("source")
            print("%s\t%s\t%s" % (locale, source.replace("\n", "\\n").replace("\r", "\\r"),
                                  text.replace("\n", "\\n").replace("\r", "\\r")))
        for context, message in messages(tree):
            text = message.findtext("translation") or ""
            left = sorted(set(c for c in text if c in simplified_only))
            odd = sorted(set(c for c in text if c in gen_terms.SUSPECT and c not in suspect_ok))
            if left or odd:
                problems.append("%s %s: %s (%s)" % (locale, context, text, "".join(left + odd)))
        write_ts(tree, path)
    if problems:
        sys.exit("review these translations:\n  " + "\n  ".join(problems))


if __name__ == "__main__":
    main()
