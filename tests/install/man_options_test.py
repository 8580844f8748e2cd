#!/usr/bin/env python3
"""The manual pages keep in step with the programs: the options that kinloom(1) lists are
those that `kinloom --help` lists, kinloom-gui(1) lists the same plus --batch (which it
accepts), and every page's header names the version that --version prints.

    man_options_test.py MAN_DIR KINLOOM [KINLOOM_GUI]
"""
import os
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])(--[a-z][a-z-]*|-[a-z]|--)(?![\w-])")


def run(*command):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    done = subprocess.run(command, capture_output=True, text=True, env=env)
    return done.returncode, done.stdout


def help_options(program):
    status, text = run(program, "--help")
    if status != 0:
        sys.exit(f"{program} --help exited with {status}")
    return set(OPTION.findall(text))


def roff_text(line):
    """A roff line as it reads: no macro name, no font changes, escapes resolved."""
    line = re.sub(r"^\.[A-Z]+\s*", "", line)
    line = line.replace("\\-", "-").replace("\\&", "").replace("\\|", "").replace("\\%", "")
    return re.sub(r"\\f[BIRP]", "", line).replace('"', "")


def man_page(path):
    with open(path, encoding="utf-8") as f:
        return f.read().splitlines()


def man_options(lines):
    """The option words of the tags of the OPTIONS section."""
    options, section, tag_next = set(), None, False
    for line in lines:
        if line.startswith(".SH"):
            section = line[3:].strip().strip('"')
            continue
        if section != "OPTIONS":
            continue
        if line.startswith(".TP"):
            tag_next = True
        elif tag_next:
            tag_next = False
            found = OPTION.findall(roff_text(line))
            if found:
                options.add(found[0])
    return options


def man_version(lines):
    header = next(line for line in lines if line.startswith(".TH"))
    found = re.search(r"KINLOOM (\d+\.\d+)", header)
    return found.group(1) if found else None


def main():
    man_dir, programs = sys.argv[1], sys.argv[2:]
    failures = []

    def expect(condition, message):
        if not condition:
            failures.append(message)

    status, version = run(programs[0], "--version")
    version = version.split()[-1] if status == 0 and version.split() else None
    for program in programs:
        name = os.path.basename(program)
        page = man_page(os.path.join(man_dir, name + ".1"))
        listed = man_options(page)
        wanted = help_options(program)
        if name == "kinloom-gui":
            # The window program's only option of its own; --help shows the command's usage.
            wanted.add("--batch")
            status, batch_version = run(program, "--batch", "--version")
            expect(status == 0 and batch_version.split()[-1:] == [version],
                   f"{name} --batch --version gave {status}: {batch_version!r}")
        expect(listed == wanted,
               f"{name}(1) lists {sorted(listed)}, --help {sorted(wanted)}: "
               f"only in the page {sorted(listed - wanted)}, only in --help "
               f"{sorted(wanted - listed)}")
        expect(man_version(page) == version,
               f"{name}(1) is for version {man_version(page)}, the program is {version}")
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if failures:
        sys.exit(1)
    print("manual pages and --help agree:", ", ".join(sorted(help_options(programs[0]))))


if __name__ == "__main__":
    main()
