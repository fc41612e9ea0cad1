#!/usr/bin/env bash
# Runs a command in a D-Bus session of its own with an unlocked GNOME keyring as the secret
# service, in a throwaway home, so the command meets a real desktop keychain.
#
#   keychainsession.sh COMMAND [ARGS...]
set -euo pipefail
for program in dbus-run-session dbus-send gnome-keyring-daemon; do
  command -v "$program" >/dev/null || { echo "keychainsession.sh: $program is missing (scripts/install-deps installs it)" >&2; exit 1; }
done
home=$(mktemp -d /tmp/sarvo-keychain.XXXXXX)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY
# The daemon creates the login keyring with the password it reads and leaves it unlocked. It
# stays in the foreground, so it can be stopped: it outlives its session bus otherwise.
dbus-run-session -- bash -c '
  printf sarvo | gnome-keyring-daemon --foreground --unlock --components=secrets >/dev/null 2>&1 &
  keyring=$!
  trap "kill $keyring 2>/dev/null" EXIT
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
      org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets 2>/dev/null |
      grep -q "boolean true" && break
    sleep 0.1
  done
  "$@"' keychainsession "$@"
