#!/bin/sh
# Installs what the project needs on a Debian 12 machine (as root), builds,
# and then runs either the example host ("run") or every test ("test").
set -eu

MODE=${1:-test}
HERE=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD_DIR:-$HERE/build}

PACKAGES="meson ninja-build g++ pkg-config gettext tzdata locales \
  libglib2.0-dev libgee-0.8-dev libjson-glib-dev freetds-dev libsybdb5 \
  libssl-dev libxml2-dev libuchardet-dev libgtest-dev libgmock-dev libbenchmark-dev \
  openssh-client sshpass putty-tools"
# The tunnel tests log in through a private sshd of their own.
if [ "$MODE" = test ]; then
  PACKAGES="$PACKAGES openssh-server"
fi
# The tests check generated T-SQL with a parser that runs on Node.
if [ "$MODE" = test ] && ! { command -v node && command -v npm; } >/dev/null 2>&1; then
  PACKAGES="$PACKAGES nodejs npm"
fi
# The data interchange tests read exports with independent readers.
if [ "$MODE" = test ]; then
  PACKAGES="$PACKAGES python3 libxml2-utils python3-html5lib cmark-gfm"
fi
# Sources are checked against the project's .clang-format.
if [ "$MODE" = test ]; then
  PACKAGES="$PACKAGES clang-format git"
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  echo "installing:$missing"
  if [ "$(id -u)" -ne 0 ]; then
    echo "run as root to install packages" >&2
    exit 1
  fi
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

# Locale tests check that parsing and printing ignore a comma-decimal locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -eq 0 ]; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "warning: could not make de_DE.UTF-8" >&2
  fi
fi

if [ ! -f "$BUILD/build.ninja" ]; then
  meson setup "$BUILD" "$HERE"
fi
ninja -C "$BUILD"

case "$MODE" in
  run)
    shift || true
    "$BUILD/examples/tarvex-example" "$@"
    ;;
  test)
    # The T-SQL parser of the builder tests, at the versions its lock file pins.
    (cd "$HERE/tests/brevane/database/sqlserver/tsql-parse" && npm ci --no-audit --no-fund)
    # Everything the tests need was installed above: a check that finds its
    # tool missing fails (naming it) instead of skipping.
    TARVEX_REQUIRE_TOOLS=1 meson test -C "$BUILD" --print-errorlogs --num-processes "$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
