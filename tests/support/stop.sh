# Sourced by the test scripts that start servers and programs of their own.

# stop_processes PID...: asks each process to end, gives each two seconds, then kills what is
# left and reaps it. Empty arguments are passed over.
stop_processes() {
  local pid
  for pid in "$@"; do
    [[ -n "$pid" ]] && kill -TERM "$pid" 2>/dev/null
  done
  for pid in "$@"; do
    [[ -n "$pid" ]] || continue
    for _ in $(seq 20); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  return 0
}
