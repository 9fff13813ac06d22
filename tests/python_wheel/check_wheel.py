"""Checks a wheel of the module against the interpreter that runs this: its
file name, WHEEL and METADATA agree; its tag is this interpreter's and
platform's, as is its compiled part's name; its RECORD names every file once
with the right hash and size, and nothing else.

Usage: python check_wheel.py WHEEL
"""
import base64
import hashlib
import re
import sys
import sysconfig
import zipfile
from email.parser import Parser
from pathlib import Path


def this_tag():
    """cp39-cp39-linux_x86_64 for this CPython 3.9 on x86-64 Linux."""
    interpreter = f"cp{sys.version_info.major}{sys.version_info.minor}"
    # The ABI flags that Python adds to its own version, such as d or t.
    flags = getattr(sys, "abiflags", "")
    platform = sysconfig.get_platform().replace("-", "_").replace(".", "_")
    return f"{interpreter}-{interpreter}{flags}-{platform}"


def record_problems(wheel, record_name):
    listed = {}
    for line in wheel.read(record_name).decode("utf-8").splitlines():
        name, digest, size = line.rsplit(",", 2)
        if name in listed:
            return [f"RECORD names {name} twice"]
        listed[name] = (digest, size)
    problems = [f"RECORD names {name}, which the wheel lacks"
                for name in listed.keys() - set(wheel.namelist())]
    for name in wheel.namelist():
        if name not in listed:
            problems.append(f"RECORD does not name {name}")
            continue
        content = wheel.read(name)
        hashed = base64.urlsafe_b64encode(hashlib.sha256(content).digest()).rstrip(b"=")
        expected = ("", "") if name == record_name else (f"sha256={hashed.decode()}",
                                                         str(len(content)))
        if listed[name] != expected:
            problems.append(f"RECORD gives {name} {listed[name]}, not {expected}")
    return problems


def problems_of(path):
    found = re.fullmatch(r"(\w+)-([\w.]+)-(\w+-\w+-\w+)\.whl", path.name)
    if not found:
        return [f"{path.name} is not named name-version-tag.whl"]
    name, version, tag = found.groups()
    dist_info = f"{name}-{version}.dist-info"
    with zipfile.ZipFile(path) as wheel:
        metadata = Parser().parsestr(wheel.read(f"{dist_info}/METADATA").decode("utf-8"))
        wheel_file = Parser().parsestr(wheel.read(f"{dist_info}/WHEEL").decode("utf-8"))
        compiled = [item for item in wheel.namelist() if item.startswith("velmoro/_velmoro.")]
        problems = record_problems(wheel, f"{dist_info}/RECORD")
    if (metadata["Name"], metadata["Version"]) != (name, version):
        problems.append(f"METADATA says {metadata['Name']} {metadata['Version']}")
    if wheel_file.get_all("Tag") != [tag] or tag != this_tag():
        problems.append(f"tagged {tag}, WHEEL says {wheel_file.get_all('Tag')}, this "
                        f"interpreter takes {this_tag()}")
    if wheel_file["Root-Is-Purelib"] != "false":
        problems.append("the wheel's root is said to be pure Python")
    if compiled != ["velmoro/_velmoro" + sysconfig.get_config_var("EXT_SUFFIX")]:
        problems.append(f"compiled parts {compiled}, this interpreter loads "
                        f"_velmoro{sysconfig.get_config_var('EXT_SUFFIX')}")
    return problems


def main(argv):
    path = Path(argv[1])
    problems = problems_of(path)
    for problem in problems:
        print(f"{path.name}: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
