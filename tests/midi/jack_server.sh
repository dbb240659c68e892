#!/bin/sh
# Starts or stops a JACK server on its dummy backend (no sound card needed) under a name
# of its own, for the tests that go through real MIDI ports.
#   jack_server.sh start|stop NAME FOLDER
set -eu
action=$1
name=$2
dir=$3
pidfile="$dir/jackd-$name.pid"
log="$dir/jackd-$name.log"
socket="/dev/shm/jack-$(id -u)/$name/jack_0"

stop() {
  if [ -f "$pidfile" ]; then
    kill "$(cat "$pidfile")" 2>/dev/null || true
    rm -f "$pidfile"
  fi
}

case "$action" in
  start)
    mkdir -p "$dir"
    stop
    # jack1 keeps its metadata in a folder it does not create itself.
    mkdir -p "/dev/shm/jack-$(id -u)/default"
    # The default MIDI buffer: about 2 KB an event, what a user's server has.
    jackd -n "$name" --no-realtime -d dummy -r 48000 -p 256 >"$log" 2>&1 &
    echo $! >"$pidfile"
    i=0
    while [ $i -lt 100 ]; do
      [ -S "$socket" ] && exit 0
      if ! kill -0 "$(cat "$pidfile")" 2>/dev/null; then
        echo "jackd did not start:"
        cat "$log"
        exit 1
      fi
      sleep 0.1
      i=$((i + 1))
    done
    echo "jackd did not come up within 10 s:"
    cat "$log"
    stop
    exit 1
    ;;
  stop)
    stop
    ;;
esac
