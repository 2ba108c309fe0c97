#!/usr/bin/env python3
"""Writes the user guide (Markdown) as one HTML page: guide_html.py IN.md OUT.html"""
import html
import pathlib
import sys

import markdown
import markdown.extensions.toc

STYLE = """
body { font-family: "Noto Sans CJK SC", "Microsoft YaHei", sans-serif; max-width: 60em;
       margin: 2em auto; padding: 0 1em; line-height: 1.6; color: #222; }
img { max-width: 100%; border: 1px solid #ccc; }
code, pre { font-family: "Noto Sans Mono CJK SC", monospace; background: #f4f4f4; }
pre { padding: .6em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #bbb; padding: .2em .5em; }
"""


def main() -> int:
    source, target = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    text = source.read_text(encoding="utf-8")
    # Chinese heading anchors, as the guide's own table of contents links them.
    toc = {"toc": {"slugify": markdown.extensions.toc.slugify_unicode}}
    body = markdown.markdown(text, extensions=["tables", "fenced_code", "toc"], extension_configs=toc,
                             output_format="html")
    title = next((line.lstrip("# ").strip() for line in text.splitlines() if line.startswith("# ")), "Linvara")
    page = (f'<!DOCTYPE html>\n<html lang="zh-CN">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{html.escape(title)}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n{body}\n</body>\n</html>\n")
    target.parent.mkdir(parents=True, exist_ok=True)
    tmp = target.with_suffix(".tmp")
    tmp.write_text(page, encoding="utf-8")
    tmp.replace(target)
    return 0


if __name__ == "__main__":
    sys.exit(main())
