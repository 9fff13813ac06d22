"""The build backend of the Python module velmoro (PEP 517). It lives in the
tree, so that pip needs nothing from a package index: it builds the module
with the project's CMake build for the interpreter that runs it, and packs it
as a wheel for that interpreter and platform.

The build uses only what the machine has: cmake, a C++20 compiler, pybind11's
headers, the interpreter's headers and ICU's. The engine is linked into the
module; ICU is loaded from the system, so the wheel serves machines with the
same ICU as the one that built it.

Config settings (pip's -C NAME=VALUE): cmake.define.NAME=VALUE is given to
CMake as -DNAME=VALUE.
"""

import base64
import hashlib
import os
import re
import shutil
import subprocess
import sys
import sysconfig
import tempfile
import zipfile
from pathlib import Path

PROJECT = Path(__file__).resolve().parents[2]
NAME = "velmoro"
REQUIRES_PYTHON = ">=3.9"
CMAKE_DEFINE = "cmake.define."


class UnsupportedOperation(Exception):
    """What this backend does not make: a source distribution."""


def get_requires_for_build_wheel(config_settings=None):
    return []


def prepare_metadata_for_build_wheel(metadata_directory, config_settings=None):
    dist_info = Path(metadata_directory) / dist_info_name()
    write_dist_info(dist_info)
    return dist_info.name


def build_wheel(wheel_directory, config_settings=None, metadata_directory=None):
    definitions = cmake_definitions(config_settings or {})
    with tempfile.TemporaryDirectory(prefix="velmoro-wheel-") as scratch:
        staging = Path(scratch) / "wheel"
        build_module(Path(scratch) / "build", staging, definitions)
        write_dist_info(staging / dist_info_name())
        return pack_wheel(staging, Path(wheel_directory))


def build_sdist(sdist_directory, config_settings=None):
    raise UnsupportedOperation(
        "velmoro's module is built from the project's whole source tree (its engine, cmake/ "
        "and include/ lie beside python/): build a wheel from the checkout instead")


def project_version_and_summary():
    """From the project() line of the top CMakeLists.txt, which owns both."""
    top = PROJECT / "CMakeLists.txt"
    if not top.is_file():
        raise RuntimeError(
            f"velmoro's module is built from the project's checkout, and {top} is missing: "
            "python/ was copied away from it (pip 21.3 or later builds a folder in place)")
    found = re.search(r'project\(velmoro\s+VERSION\s+([\d.]+)\s+DESCRIPTION\s+"([^"]+)"',
                      top.read_text(encoding="utf-8"))
    return found[1], found[2]


def dist_info_name():
    version, _ = project_version_and_summary()
    return f"{NAME}-{version}.dist-info"


def wheel_tag():
    """cp312-cp312-linux_x86_64 for a CPython 3.12 on x86-64 Linux: the
    compiled part is named for the ABI of the interpreter that runs this
    (its SOABI, cpython-312-x86_64-linux-gnu; cpython-313t-... gives cp313t)."""
    if sys.implementation.name != "cpython":
        raise RuntimeError(f"velmoro's wheel is built for CPython, not {sys.implementation.name}")
    interpreter = f"cp{sys.version_info.major}{sys.version_info.minor}"
    abi = "cp" + sysconfig.get_config_var("SOABI").split("-")[1]
    platform = re.sub(r"[-.]", "_", sysconfig.get_platform())
    return f"{interpreter}-{abi}-{platform}"


def cmake_definitions(config_settings):
    unknown = [name for name in config_settings if not name.startswith(CMAKE_DEFINE)]
    if unknown:
        raise ValueError(f"velmoro's build takes the config settings {CMAKE_DEFINE}NAME=VALUE, "
                         f"not {', '.join(unknown)}")
    return [f"-D{name[len(CMAKE_DEFINE):]}={value}" for name, value in config_settings.items()]


def build_module(build, staging, definitions):
    """The package velmoro, compiled part and all, laid out in staging as
    cmake --install lays it out under a prefix."""
    jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or str(os.cpu_count() or 1)
    run(["cmake", "-S", PROJECT, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
         "-DVELMORO_BUILD_UI=OFF", "-DVELMORO_BUILD_TESTS=OFF", "-DVELMORO_PYTHON_REQUIRED=ON",
         f"-DPython_EXECUTABLE={sys.executable}", "-DVELMORO_PYTHON_PACKAGES_DIR=.",
         *definitions])
    run(["cmake", "--build", build, "--target", "_velmoro", "--parallel", jobs])
    run(["cmake", "--install", build, "--component", "python", "--prefix", staging, "--strip"])


def run(command):
    subprocess.run([str(part) for part in command], check=True)


def write_dist_info(dist_info):
    version, summary = project_version_and_summary()
    dist_info.mkdir(parents=True)
    (dist_info / "METADATA").write_text(
        f"Metadata-Version: 2.1\nName: {NAME}\nVersion: {version}\nSummary: {summary}\n"
        f"License: MIT\nRequires-Python: {REQUIRES_PYTHON}\nProvides-Extra: numpy\n"
        'Requires-Dist: numpy; extra == "numpy"\n', encoding="utf-8")
    (dist_info / "WHEEL").write_text(
        f"Wheel-Version: 1.0\nGenerator: {NAME}_backend {version}\nRoot-Is-Purelib: false\n"
        f"Tag: {wheel_tag()}\n", encoding="utf-8")
    shutil.copyfile(PROJECT / "LICENSE", dist_info / "LICENSE")


def pack_wheel(staging, wheel_directory):
    """The wheel of what staging holds, its .dist-info last and its RECORD
    naming every file with its hash and size; returns the wheel's file name."""
    dist_info = dist_info_name()
    files = sorted((path.relative_to(staging).as_posix() for path in staging.rglob("*")
                    if path.is_file()), key=lambda name: (name.startswith(dist_info), name))
    record = f"{dist_info}/RECORD"
    name = f"{dist_info[:-len('.dist-info')]}-{wheel_tag()}.whl"
    with zipfile.ZipFile(wheel_directory / name, "w", zipfile.ZIP_DEFLATED) as wheel:
        lines = []
        for file in files:
            content = (staging / file).read_bytes()
            wheel.write(staging / file, file)
            lines.append(f"{file},sha256={file_digest(content)},{len(content)}")
        wheel.writestr(record, "".join(line + "\n" for line in [*lines, f"{record},,"]))
    return name


def file_digest(content):
    """The hash as RECORD writes it: SHA-256 in URL-safe base64, unpadded."""
    return base64.urlsafe_b64encode(hashlib.sha256(content).digest()).rstrip(b"=").decode()
