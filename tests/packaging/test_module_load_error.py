"""The Python module's ImportError where the interpreter finds no compiled part
of its own: it names the interpreter the part was built for and this one."""
import os
import pathlib
import shutil
import subprocess
import sys

import pytest

PACKAGE = pathlib.Path(os.environ["VELMORO_PYTHON_PACKAGE"])
THIS = f"CPython {sys.version_info.major}.{sys.version_info.minor} ({sys.executable})"


@pytest.mark.parametrize("compiled, reason", [
    ("_velmoro.cpython-399-x86_64-linux-gnu.so",
     "was built for CPython 3.99 (_velmoro.cpython-399-x86_64-linux-gnu.so), and this "
     f"interpreter is {THIS}"),
    ("_velmoro.pypy39-pp73-x86_64-linux-gnu.so", "was built for PyPy 3.9 (_velmoro.pypy39"),
    (None, f"holds no compiled part _velmoro; this interpreter is {THIS}"),
])
def test_import_says_why(tmp_path, compiled, reason):
    package = tmp_path / "velmoro"
    package.mkdir()
    shutil.copy(PACKAGE / "__init__.py", package)
    if compiled:
        (package / compiled).touch()
    result = subprocess.run([sys.executable, "-c", "import velmoro"], cwd=tmp_path,
                            capture_output=True, text=True, check=False)
    last_line = result.stderr.splitlines()[-1]
    assert last_line.startswith("ImportError: velmoro: "), result.stderr
    assert reason in last_line
