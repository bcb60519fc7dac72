#!/usr/bin/env python3
"""Runs every command the documentation shows and compiles its C snippets.

  run_doc_commands.py SOURCE_DIR ZEMTRA_CLI [--only FILE]

Pages: README.md, docs/*.md, examples/*/README.md and the EXAMPLES of the manual pages. Each page
gets a scratch folder (with a copy of its own folder's files for an example, and of runtime/ as
in the source folder), in which its blocks run in order, so a later block finds what an earlier
one wrote:

- ```sh blocks run in bash -e, with zemtra-cli first on PATH; inline `zemtra-cli --...` spans
  run too, except those with placeholders in capitals (NAME, WxH);
- ```c and ```cpp blocks are compiled with -Wall -Wextra -Werror against the stand-ins of
  tests/docs/stand_ins, lines of their own (#include, LV_FONT_DECLARE) at file scope and the
  statements in a function.

An HTML comment on the line before a block steers it:
  <!-- doc-test: fails -->            the block must exit non-zero;
  <!-- doc-test: skip: REASON -->     not run here (REASON says what runs it instead);
  <!-- doc-test: needs TOOL -->       run only where TOOL is on PATH;
  <!-- doc-test: compile whole -->     a C block that is a whole file (functions of its own),
                                      compiled with runtime/ and runtime/glue on the include path;
  <!-- doc-test: compile A.c ... [with FLAGS] -->
      a C block: compiled with the files A.c ... the page made; with FLAGS, which the page says
      are needed, the files must fail to compile, or define nothing, without them.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

DIRECTIVE = re.compile(r"<!--\s*doc-test:\s*(.*?)\s*-->")
FENCE = re.compile(r"^```(\w*)\s*$")
INLINE = re.compile(r"`(zemtra-cli [^`]*)`")
PLACEHOLDER = re.compile(r"\b[A-Z]{2,}\b|\bWxH\b")
FILE_SCOPE = re.compile(r"^\s*(#|[A-Z][A-Z0-9_]*\(.*\)\s*;?\s*$)")


class Failure(Exception):
    pass


def blocks_of_markdown(text):
    """(language, body, directive, line) of each fenced block; inline commands as sh."""
    lines = text.split("\n")
    i = 0
    directives = []
    while i < len(lines):
        m = FENCE.match(lines[i])
        if m:
            start = i
            j = i + 1
            while j < len(lines) and not lines[j].startswith("```"):
                j += 1
            yield m.group(1), "\n".join(lines[i + 1 : j]), directives, start + 1
            directives = []
            i = j + 1
            continue
        d = DIRECTIVE.search(lines[i])
        if d:
            directives.append(d.group(1))
        elif lines[i].strip():
            for command in INLINE.findall(lines[i]):
                if " -" in command and not PLACEHOLDER.search(command):
                    yield "sh", command, [], i + 1
            directives = []
        i += 1


def blocks_of_manual(text):
    """The .nf ... .fi blocks of the EXAMPLES section, unescaped, as sh."""
    section = text.split(".SH EXAMPLES", 1)
    if len(section) < 2:
        return
    body = section[1].split("\n.SH ", 1)[0]
    for m in re.finditer(r"^\.nf\n(.*?)^\.fi", body, re.S | re.M):
        block = m.group(1).replace("\\-", "-").replace("\\e", "\\")
        yield "sh", block, [], 0


def run_shell(body, cwd, env):
    return subprocess.run(
        ["bash", "-e", "-o", "pipefail", "-c", body],
        cwd=cwd,
        env=env,
        stdin=subprocess.DEVNULL,
        stdout=subprocess.PIPE,
        stderr=subprocess.STDOUT,
        text=True,
        timeout=600,
    )


def compile_snippet(language, body, directive, cwd, stand_ins):
    words = directive.split()[1:]
    whole = words == ["whole"]
    if whole:
        words = []
    flags = []
    if "with" in words:
        flags = words[words.index("with") + 1 :]
        words = words[: words.index("with")]
    outside = [l for l in body.split("\n") if FILE_SCOPE.match(l)]
    inside = [l for l in body.split("\n") if not FILE_SCOPE.match(l)]
    suffix = ".cpp" if language == "cpp" else ".c"
    snippet = cwd / ("doc_snippet" + suffix)
    snippet.write_text(
        body + "\n" if whole else
        "\n".join(outside) + "\n\nvoid doc_snippet(void);\nvoid doc_snippet(void) {\n"
        + "\n".join(inside) + "\n}\n"
    )
    compiler = ["c++", "-std=c++17"] if language == "cpp" else ["cc", "-std=c99"]
    base = compiler + ["-Wall", "-Wextra", "-Werror", "-I", str(stand_ins), "-I", str(cwd),
                       "-I", str(cwd / "runtime"), "-I", str(cwd / "runtime" / "glue"), "-c"]
    for source in [snippet.name] + words:
        ok, defined = compiled(base + flags, source, cwd)
        if not ok:
            raise Failure(f"{source} does not compile:\n{defined}")
        if flags and source != snippet.name:
            # An #error the preprocessor meets is proof enough, without parsing a large font;
            # else the first error is, where a large font can give thousands after it.
            if preprocesses(base, source, cwd):
                ok, defined = compiled(base + ["-fmax-errors=1"], source, cwd)
            else:
                ok, defined = False, ""
            if ok and defined:
                raise Failure(f"{source} compiles without {' '.join(flags)}, which the page "
                              "says it needs")


def preprocesses(command, source, cwd):
    r = subprocess.run([a for a in command if a != "-c"] + ["-E", source, "-o", os.devnull],
                       cwd=cwd, capture_output=True, text=True)
    return r.returncode == 0


def compiled(command, source, cwd):
    """(True, the symbols the object defines) or (False, the compiler's complaint)."""
    obj = cwd / "doc_snippet.o"
    r = subprocess.run(command + [source, "-o", str(obj)], cwd=cwd, capture_output=True, text=True)
    if r.returncode != 0:
        return False, r.stderr[-3000:]
    symbols = subprocess.run(["nm", "--defined-only", str(obj)], capture_output=True, text=True)
    return True, symbols.stdout.strip()


def run_page(page, blocks, root, cli_dir, stand_ins, counts):
    work = Path(tempfile.mkdtemp(prefix="doc_"))
    try:
        if page.parent.parent.name == "examples":
            shutil.copytree(page.parent, work, dirs_exist_ok=True)
        shutil.copytree(root / "runtime", work / "runtime")
        env = dict(os.environ)
        env.update(PATH=f"{cli_dir}:{env.get('PATH', '')}", ZEMTRA_HOME=str(work / ".zemtra"),
                   LC_ALL="C.UTF-8", HOME=str(work))
        env.pop("ZEMTRA_ANSI_CODEPAGE", None)
        for language, body, directives, line in blocks:
            where = f"{page.relative_to(root)}:{line}"
            if language not in ("sh", "c", "cpp"):
                continue
            said = {d.split()[0].rstrip(":"): d for d in directives}
            if "skip" in said:
                counts["skipped"] += 1
                print(f"skip {where}: {said['skip'][5:].strip(': ')}")
                continue
            if "needs" in said:
                tool = said["needs"].split()[1]
                if shutil.which(tool, path=env["PATH"]) is None:
                    counts["skipped"] += 1
                    print(f"skip {where}: no {tool} here")
                    continue
            try:
                if language in ("c", "cpp"):
                    if "compile" not in said:
                        raise Failure("a C block needs <!-- doc-test: compile ... -->")
                    compile_snippet(language, body, said["compile"], work, stand_ins)
                else:
                    r = run_shell(body, work, env)
                    if (r.returncode != 0) != ("fails" in said):
                        raise Failure(f"exit {r.returncode}:\n{body}\n{r.stdout[-3000:]}")
                counts["passed"] += 1
                print(f"ok   {where}")
            except (Failure, subprocess.TimeoutExpired) as e:
                counts["failed"] += 1
                print(f"FAIL {where}: {e}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    root = Path(sys.argv[1]).resolve()
    cli = Path(sys.argv[2]).resolve()
    only = sys.argv[4] if len(sys.argv) > 4 and sys.argv[3] == "--only" else None
    cli_dir = Path(tempfile.mkdtemp(prefix="doc_bin_"))
    (cli_dir / "zemtra-cli").symlink_to(cli)
    stand_ins = root / "tests" / "docs" / "stand_ins"
    pages = [root / "README.md", *sorted((root / "docs").glob("*.md")),
             *sorted((root / "examples").glob("*/README.md"))]
    manuals = sorted((root / "docs").glob("*.1"))
    counts = {"passed": 0, "failed": 0, "skipped": 0}
    for page in pages + manuals:
        if only and page.name != only and str(page.relative_to(root)) != only:
            continue
        text = page.read_text(encoding="utf-8")
        blocks = blocks_of_manual(text) if page.suffix == ".1" else blocks_of_markdown(text)
        run_page(page, list(blocks), root, cli_dir, stand_ins, counts)
    shutil.rmtree(cli_dir, ignore_errors=True)
    print(f"{counts['passed']} passed, {counts['failed']} failed, {counts['skipped']} skipped")
    return 1 if counts["failed"] or not counts["passed"] else 0


if __name__ == "__main__":
    sys.exit(main())
