#!/usr/bin/env bash
# Runs a command inside a private Wine session: a fresh prefix in a temporary folder, its own
# wineserver and, unless TALVORNE_USE_DISPLAY=1 keeps the user's $DISPLAY, an Xvfb on a free
# display. Everything it started is stopped by PID when the command ends, fails or is interrupted.
set -euo pipefail

session=$(mktemp -d /tmp/talvorne-wine.XXXXXX)
export WINEPREFIX=$session/prefix
# No Mono or Gecko prompts, and no menu entries written into the Linux user's home when something
# installs a shortcut.
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$WINEPREFIX"
# The prefix links Documents, Desktop and the other user folders to the Linux home: a home of the
# session's own keeps every file a test saves, and every cache, out of the real one.
# The user's display keeps its key where the real home has it.
[[ -n ${HOME:-} && -z ${XAUTHORITY:-} && -f $HOME/.Xauthority ]] && export XAUTHORITY=$HOME/.Xauthority
export HOME=$session/home
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_DOCUMENTS_DIR XDG_DESKTOP_DIR
mkdir -p "$HOME"

xvfb_pid=
server_pid=
# The session's Windows processes, found by the prefix in their environment.
session_processes() {
  local environ
  for environ in /proc/[0-9]*/environ; do
    { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
      basename "$(dirname "$environ")"
  done
}

cleanup() {
  set +e
  if [[ -n $server_pid ]]; then
    wineserver -k 2>/dev/null       # ends this prefix's programs only
    kill "$server_pid" 2>/dev/null
    wait "$server_pid" 2>/dev/null
  fi
  # Services started in the session can outlive a killed server; none may outlive the session.
  local stray
  for stray in $(session_processes); do
    [[ $stray != "$$" ]] && kill -9 "$stray" 2>/dev/null
  done
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$session"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [[ ${TALVORNE_USE_DISPLAY:-0} != 1 ]]; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$session/display" \
    >"$session/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s $session/display ]] && break
    sleep 0.1
  done
  [[ -s $session/display ]] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(cat "$session/display")"
fi

wineserver -f -p >/dev/null 2>&1 &
server_pid=$!
# Each step of the prefix's set-up says what failed, with Wine's own words, instead of ending the
# session silently. On a loaded machine a step may fail once with nothing said (seen: 'wine reg
# add' ending with status 1 just after wineboot): it is tried again, with Wine's errors shown.
setup() {
  local limit=$1 debug=$WINEDEBUG status
  shift
  for _ in 1 2 3; do
    WINEDEBUG=$debug timeout "$limit" "$@" >"$session/setup.log" 2>&1 && return
    status=$?
    debug=err+all
    sleep 2
  done
  echo "Wine session: '$*' failed three times (last status $status):" >&2
  cat "$session/setup.log" >&2
  exit 1
}
setup 180 wineboot -i
# A crashing program must end instead of waiting on a dialog nobody will answer.
setup 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
if [[ -n $xvfb_pid ]]; then
  # No window manager runs on Xvfb: Wine draws the frames itself and never waits for one.
  setup 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
fi

export TALVORNE_WINE_SESSION=$session
"$@"
