# Shared by the install tests: a scratch folder removed at the end, a way to
# fail with a reason, and a skip when a tool the test drives is not installed.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Skips the test (exit 77) unless every named program is on PATH.
need() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
      exit 77
    fi
  done
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
