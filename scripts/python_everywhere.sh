#!/usr/bin/env bash
# Installs the Python module as a user of another interpreter does, for each
# CPython 3.9 or later found: in a fresh virtual environment without the
# system's packages, offline, it builds a wheel with pip and checks it
# (tests/python_wheel/check_wheel.py), installs the checkout with
# `pip install ./python`, runs the module's tests that need no numpy with
# Debian's pytest, uninstalls it and checks that nothing of it is left.
#
# Interpreters: Debian's /usr/bin/python3, and pyenv's
# ($PYENV_ROOT/versions/*/bin/python3): the oldest and the newest, or with
# --all every one. Those older than 3.9, or not CPython, are skipped.
#
# Usage: scripts/python_everywhere.sh [--all] VELMORO_CLI
#   VELMORO_CLI  a built velmoro-cli, which the tests compare the module with
set -euo pipefail
cd "$(dirname "$0")/.."
repository=$PWD

all=false
if [ "${1:-}" = --all ]; then
  all=true
  shift
fi
if [ $# -ne 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 [--all] VELMORO_CLI" >&2
  exit 2
fi
cli=$(realpath "$1")

scratch=$(mktemp -d -t velmoro-python-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# Debian's pytest and the packages it imports, without the rest of Debian's
# dist-packages, whose compiled parts are for its own Python only.
pytest_path=$scratch/pytest
mkdir "$pytest_path"
for name in pytest _pytest py.py pluggy iniconfig packaging attr exceptiongroup tomli; do
  ln -s "/usr/lib/python3/dist-packages/$name" "$pytest_path/$name"
done

# "3.11.2 PATH" for a CPython 3.9 or later of its own (not a virtual
# environment); why it is skipped otherwise, on standard error. Written for
# any Python, 2.7 too.
describe() {
  "$1" - "$1" <<'EOF'
import sys
version = "%d.%d.%d" % sys.version_info[:3]
implementation = getattr(sys, "implementation", None)
if not implementation or implementation.name != "cpython" or sys.version_info < (3, 9):
    sys.exit("%s (%s): skipped, not CPython 3.9 or later" % (sys.argv[1], version))
if sys.prefix != sys.base_prefix:
    sys.exit("%s: skipped, a virtual environment" % sys.argv[1])
print(version, sys.argv[1])
EOF
}

pyenv_pythons() {
  local python line found=()
  for python in "${PYENV_ROOT:-$HOME/.pyenv}"/versions/*/bin/python3; do
    if [ -x "$python" ] && line=$(describe "$python"); then
      found+=("$line")
    fi
  done
  [ ${#found[@]} -eq 0 ] || printf '%s\n' "${found[@]}" | sort -V | cut -d' ' -f2-
}

# Runs its arguments with their output in the log, shown where they fail.
logged() {
  if ! "$@" >>"$log" 2>&1; then
    cat "$log" >&2
    return 1
  fi
}

try_python() {
  local python=$1 place=$scratch/$2 started=$SECONDS
  local venv=$place/venv wheels=$place/wheels
  log=$place/log
  mkdir -p "$place"
  logged "$python" -m venv "$venv"
  local pip=("$venv/bin/python" -m pip --disable-pip-version-check --no-cache-dir)
  local build=(--no-index --config-settings cmake.define.VELMORO_WARNINGS_AS_ERRORS=ON)
  find "$venv" | sort >"$place/before"

  logged "${pip[@]}" wheel "${build[@]}" --wheel-dir "$wheels" ./python
  logged "$venv/bin/python" tests/python_wheel/check_wheel.py "$wheels"/velmoro-*.whl
  logged "${pip[@]}" install "${build[@]}" ./python
  logged "$venv/bin/python" -c '
import sys, velmoro
assert velmoro.__file__.startswith(sys.prefix), velmoro.__file__'
  # Out of the checkout, whose python/velmoro has no compiled part. Debian's
  # pytest 7.2 predates the deprecations of ast in Python 3.12.
  local summary
  summary=$(cd "$place" && PYTHONPATH=$pytest_path PYTHONDONTWRITEBYTECODE=1 \
            VELMORO_CLI=$cli VELMORO_EXAMPLES=$repository/examples \
            logged "$venv/bin/python" -m pytest -q -p no:cacheprovider \
              -W "ignore::DeprecationWarning:_pytest.assertion.rewrite" \
              "$repository/python/tests" && tail -1 "$log")
  logged "${pip[@]}" uninstall --yes velmoro
  find "$venv" | sort >"$place/after"
  if ! diff "$place/before" "$place/after" >&2; then
    echo "left after pip uninstall (+) or removed (-), above" >&2
    return 1
  fi
  echo "$summary; wheel checked, installed and uninstalled ($((SECONDS - started)) s)"
}

pythons=()
[ -x /usr/bin/python3 ] && pythons+=(/usr/bin/python3)
mapfile -t pyenv < <(pyenv_pythons)
if $all || [ ${#pyenv[@]} -le 2 ]; then
  pythons+=("${pyenv[@]}")
else
  pythons+=("${pyenv[0]}" "${pyenv[-1]}")
fi

failed=0
for index in "${!pythons[@]}"; do
  python=${pythons[$index]}
  echo "== $(describe "$python" | cut -d' ' -f1) ($python)"
  if ! try_python "$python" "$index"; then
    echo "FAILED: $python" >&2
    failed=1
  fi
done
exit $failed
